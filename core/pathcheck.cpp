#include "core/pathcheck.h"

#include <atomic>
#include <memory>
#include <utility>

#include "core/handles.h"

namespace {
// Shared by the caller and the thread, which may outlive the caller's wait.
struct PathQuestion {
    std::string path;
    std::function<bool(const std::string&)> check;
    std::atomic<int> answer{-1};  // -1 none yet, 0 absent, 1 there
};

DWORD WINAPI AskThread(void* context)
{
    const std::unique_ptr<std::shared_ptr<PathQuestion>> question(static_cast<std::shared_ptr<PathQuestion>*>(context));
    const bool there = (*question)->check((*question)->path);
    (*question)->answer = there ? 1 : 0;
    return 0;
}
}  // namespace

std::optional<bool> PathThereWithin(const std::string& path, DWORD patience,
                                    std::function<bool(const std::string&)> check)
{
    if (!check)
        check = [](const std::string& asked) { return GetFileAttributesA(asked.c_str()) != INVALID_FILE_ATTRIBUTES; };
    auto question = std::make_shared<PathQuestion>();
    question->path = path;
    question->check = std::move(check);
    auto context = std::make_unique<std::shared_ptr<PathQuestion>>(question);
    UniqueHandle thread(CreateThread(nullptr, 0, &AskThread, context.get(), 0, nullptr));
    // No thread to ask on: asked here, as before.
    if (!thread) return question->check(path);
    context.release();  // the thread's now
    WaitForSingleObject(thread.get(), patience);
    const int answer = question->answer;
    if (answer < 0) return std::nullopt;
    return answer == 1;
}
