#pragma once
// The whole program started in-process, as the executable starts it, for tests that look
// at its window and press its buttons. Clicks go through the Toolkit's event queue and the
// program's own dispatch, as in the event loop.
#include "app/program.h"
#include "keyboard/gadget_numbers.h"
#include "toolkit/events.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace wexa::testing {

class RunningKeyboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartUp();
        window_ = FindWindowW(L"WindowClass_0", nullptr);
    }
    static void TearDownTestSuite() { ShutDown(); }
    void SetUp() override {
        ASSERT_NE(window_, nullptr) << "the main window did not open";
        Click(ClearButton);
    }

    static HWND Control(int number) { return GetDlgItem(window_, number); }

    // A click as the button reports it, then the event loop's turns until the queue is empty.
    static void Click(int number) {
        SendMessageW(Control(number), BM_CLICK, 0, 0);
        Pump();
    }

    // Runs the event loop's body until a marker posted behind everything else comes back.
    static void Pump() {
        constexpr int Marker = WM_APP + 77;
        PostMessageW(window_, Marker, 0, 0);
        for (int code = WaitForEvent(); code != Marker; code = WaitForEvent())
            if (code == GadgetEvent) DispatchGadget(EventGadgetNumber());
    }

    static std::u16string LineDisplayText() {
        HWND field = Control(LineDisplayNumber);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
        return std::u16string(text.begin(), text.end());
    }

    static inline HWND window_ = nullptr;
};

} // namespace wexa::testing
