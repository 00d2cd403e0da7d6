#pragma once
// The history written into a test's own folder for the test's life, and read back with each
// entry's time stamp checked and replaced by "T", so texts can be compared whole.
#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <string>

#include "core/history.h"
#include "support/seams.h"
#include "support/tempfolder.h"

class HistoryFile {
public:
    HistoryFile() : m_path(SetHistoryPath, m_folder.File(HistoryFileName)) {}

    const TempFolder& Folder() const { return m_folder; }
    std::string Path() const { return m_folder.File(HistoryFileName); }

    // The file with every time stamp as "T"; each stamp must lie between `earliest` and
    // `latest` ("2026-12-07 22:15:03" texts compare as the times they stand for).
    std::string Read(const std::string& earliest = "0000", const std::string& latest = "9999") const
    {
        const std::string text = ReadFileBytes(Path());
        static const std::regex stamp(R"((^|\n)(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) )");
        for (std::sregex_iterator at(text.begin(), text.end(), stamp), end; at != end; ++at) {
            EXPECT_GE((*at)[2].str(), earliest);
            EXPECT_LE((*at)[2].str(), latest);
        }
        return std::regex_replace(text, stamp, "$1T ");
    }

private:
    TempFolder m_folder;
    SeamGuard<std::string> m_path;
};

// The local time as the history writes it.
inline std::string LocalTimeStamp()
{
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}
