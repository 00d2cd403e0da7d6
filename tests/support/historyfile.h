#pragma once
// The history written into a test's own folder for the test's life, and read back with each
// entry's time stamp, checked for its form, as "T", so texts can be compared whole.
#include <regex>
#include <string>

#include "core/history.h"
#include "support/seams.h"
#include "support/tempfolder.h"

class HistoryFile {
public:
    HistoryFile() : m_path(SetHistoryPath, m_folder.File(kHistoryFileName)) {}

    const TempFolder& Folder() const { return m_folder; }
    std::string Path() const { return m_folder.File(kHistoryFileName); }
    std::string Read() const
    {
        static const std::regex stamp(R"((^|\n)\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )");
        return std::regex_replace(ReadFileBytes(Path()), stamp, "$1T ");
    }

private:
    TempFolder m_folder;
    SeamGuard<std::string> m_path;
};
