// The queue of completions and events. Each task runs later, from the thread's
// message loop, through a hidden message-only window: never inside the engine
// call that queued it. Tasks bound to a view go when the view closes.
#include "devengine/Internal.h"

#include <algorithm>
#include <cstdint>
#include <deque>

namespace devengine {
namespace {

const UINT kRunMessage = WM_APP + 1;
const UINT_PTR kDelayTimer = 1;

struct Task {
    UINT64 sequence;
    ULONGLONG due;
    ViewPtr view;
    std::function<void()> run;
    bool controllerCompletion;
};

std::deque<Task>& Tasks() {
    static auto* tasks = new std::deque<Task>;
    return *tasks;
}

UINT64 g_nextSequence = 0;
HWND g_queueWindow = nullptr;
// A run message is in the queue. Tasks queued meanwhile need none of their
// own: it runs every task queued before it is handled, so a burst of events
// costs one message, not one each.
bool g_runMessageQueued = false;

// Sets the timer for the earliest delayed task, if any.
void ArmTimer() {
    const ULONGLONG now = GetTickCount64();
    ULONGLONG earliest = 0;
    for (const Task& task : Tasks()) {
        if (task.due > now && (earliest == 0 || task.due < earliest)) earliest = task.due;
    }
    if (earliest == 0) {
        KillTimer(g_queueWindow, kDelayTimer);
    } else {
        SetTimer(g_queueWindow, kDelayTimer, static_cast<UINT>(earliest - now), nullptr);
    }
}

// Runs, in order, the tasks due now that were queued before this call began.
// Tasks they queue wait for their own message.
void RunDueTasks() {
    g_runMessageQueued = false;
    const UINT64 limit = g_nextSequence;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        auto& tasks = Tasks();
        auto it = tasks.begin();
        while (it != tasks.end() && (it->sequence >= limit || it->due > now)) ++it;
        if (it == tasks.end()) break;
        Task task = std::move(*it);
        tasks.erase(it);
        task.run();
    }
    ArmTimer();
}

LRESULT CALLBACK QueueWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunMessage || (message == WM_TIMER && wParam == kDelayTimer)) {
        RunDueTasks();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND QueueWindow() {
    if (g_queueWindow == nullptr) g_queueWindow = CreateMessageWindow(L"VelquinDevEngineQueue", QueueWindowProc, L"");
    return g_queueWindow;
}

}  // namespace

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&QueueWindowProc), &module);
    return module;
}

HWND CreateMessageWindow(const wchar_t* className, WNDPROC windowProc, const wchar_t* title) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = ThisModule();
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, className, title, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
}

namespace {

void Queue(std::function<void()> run, const ViewPtr& view, DWORD delayMs, bool controllerCompletion) {
    if (view != nullptr && view->closed) return;
    const HWND window = QueueWindow();
    Tasks().push_back(Task{g_nextSequence++, GetTickCount64() + delayMs, view, std::move(run), controllerCompletion});
    if (delayMs == 0) {
        if (!g_runMessageQueued) g_runMessageQueued = PostMessageW(window, kRunMessage, 0, 0) != FALSE;
    } else {
        ArmTimer();
    }
}

}  // namespace

void Post(std::function<void()> task, const ViewPtr& view, DWORD delayMs) {
    Queue(std::move(task), view, delayMs, false);
}

void PostControllerCompletion(std::function<void()> task, DWORD delayMs) {
    Queue(std::move(task), nullptr, delayMs, true);
}

size_t ReorderControllerCompletions(unsigned seed) {
    std::vector<Task*> places;
    std::vector<std::function<void()>> runs;
    for (Task& task : Tasks()) {
        if (!task.controllerCompletion) continue;
        places.push_back(&task);
        runs.push_back(std::move(task.run));
    }
    // Which run goes to each place: reversed, or a Fisher-Yates shuffle on a
    // xorshift generator of its own, so that a seed gives the same order with
    // every compiler.
    std::vector<size_t> order(runs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = seed == 0 ? order.size() - 1 - i : i;
    uint32_t random = seed;
    for (size_t i = order.size(); seed != 0 && i > 1; --i) {
        random ^= random << 13;
        random ^= random >> 17;
        random ^= random << 5;
        std::swap(order[i - 1], order[random % i]);
    }
    for (size_t i = 0; i < places.size(); ++i) places[i]->run = std::move(runs[order[i]]);
    return places.size();
}

void DropPendingTasks() {
    // Take the tasks out before destroying them: a handler they release may
    // call back into the engine.
    std::deque<Task> dropped;
    dropped.swap(Tasks());
    dropped.clear();
    if (g_queueWindow != nullptr) KillTimer(g_queueWindow, kDelayTimer);
}

void DropViewTasks(const ViewState& view) {
    auto& tasks = Tasks();
    tasks.erase(std::remove_if(tasks.begin(), tasks.end(), [&](const Task& task) { return task.view.get() == &view; }),
                tasks.end());
}

size_t PendingCount() { return Tasks().size(); }

bool DeliverNext() {
    const ULONGLONG now = GetTickCount64();
    auto& tasks = Tasks();
    auto it = std::find_if(tasks.begin(), tasks.end(), [now](const Task& task) { return task.due <= now; });
    if (it == tasks.end()) return false;
    Task task = std::move(*it);
    tasks.erase(it);
    task.run();
    return true;
}

bool RunPending(DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit for the caller's own loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                return Tasks().empty();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (Tasks().empty()) return true;
        // The queue is empty: a run message still counted as queued was taken
        // without being handled. Its tasks get another.
        if (g_runMessageQueued) g_runMessageQueued = PostMessageW(QueueWindow(), kRunMessage, 0, 0) != FALSE;
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= timeoutMs) return false;
        const DWORD wait = static_cast<DWORD>(timeoutMs - elapsed);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 10 ? wait : 10, QS_ALLINPUT);
    }
}

}  // namespace devengine
