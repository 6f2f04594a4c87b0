#pragma once
// The whole program started in-process, as the executable starts it, for tests that look
// at its window and press its buttons. Clicks go through the Toolkit's event queue and the
// program's own event loop.
#include "app/program.h"
#include "keyboard/constants.h"
#include "toolkit/windows/events.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace wexa::testing {

class RunningKeyboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = StartUp();
        window_ = FindWindowW(L"WindowClass_0", nullptr);
    }
    static void TearDownTestSuite() {
        program_.reset();
        ShutDown();
    }
    void SetUp() override {
        ASSERT_TRUE(program_ && window_) << "the main window did not open";
        Click(ClearButton);
    }

    static HWND Control(int number) { return GetDlgItem(window_, number); }

    // A click as the button reports it, then the event loop's turns until the queue is empty.
    static void Click(int number) {
        SendMessageW(Control(number), BM_CLICK, 0, 0);
        Pump();
    }

    // Turns the event loop until a marker posted behind everything else comes back.
    static void Pump() {
        constexpr int Marker = WM_APP + 77;
        PostMessageW(window_, Marker, 0, 0);
        for (int code = WaitForEvent(); code != Marker; code = WaitForEvent()) HandleEvent(*program_, code);
    }

    static std::u16string LineDisplayText() {
        HWND field = Control(LineDisplayNumber);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
        return std::u16string(text.begin(), text.end());
    }

    static inline std::optional<Program> program_;
    static inline HWND window_ = nullptr;
};

} // namespace wexa::testing
