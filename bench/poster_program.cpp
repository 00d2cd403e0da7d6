// Another program that posts to Velmora's main window while a change runs, as any program (or
// the user's input) may: each message's wait until the window has handled it, the longest given
// back as the exit code, in microseconds.
//
//   velmora-bench-poster.exe WINDOW EVENT ROUNDS
//
// WINDOW: the main window's handle as a number; EVENT: the name of the event the window sets
// when it has handled the message "Velmora.BenchPing"; ROUNDS: how many messages, 50 ms apart.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) return -1;
    const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(argv[1], nullptr, 10)));
    const HANDLE answered = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, argv[2]);
    const int rounds = std::atoi(argv[3]);
    if (answered == nullptr || rounds <= 0) return -1;
    const UINT ping = RegisterWindowMessageA("Velmora.BenchPing");
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double longest = 0;
    for (int i = 0; i < rounds; ++i) {
        ResetEvent(answered);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        PostMessageA(window, ping, 0, 0);
        if (WaitForSingleObject(answered, 10000) != WAIT_OBJECT_0) return 10000000;
        QueryPerformanceCounter(&end);
        const double waited = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (waited > longest) longest = waited;
        Sleep(50);  // pacing, as a user's clicks come
    }
    CloseHandle(answered);
    return static_cast<int>(longest + 0.5);
}
