// The main window: its class, and its window procedure, which hands the
// messages to the cached graph image (drawn on a thread of its own), the
// view input (wheel, drag, arrow keys, the View menu), the status bar, the
// menu commands, Copy Graph, Save Graph As and the exit sequence.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ondrix {

extern const char kMainWindowClassName[];

// The window class "Kelvane Class - version 1.6 for Win32" with the menu
// GRAPH and the icon SINE_ZZZICON; zero on failure.
ATOM RegisterMainWindowClass(HINSTANCE instance);

// Creates the visible main window; its WM_CREATE loads the settings.
HWND CreateMainWindow(HINSTANCE instance);

// The clean-up after the message loop: the print dialog's device blocks, the
// last print thread's handle and the window class.
void ReleaseMainWindowResources(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// How many renders of the graph into the cached image the window's paint
// has started; tests use it to tell a render from a copy.
std::uint32_t GraphRenderCount(HWND window);

// Whether a render is still under way on the window's thread.
bool GraphRenderPending(HWND window);

// Tests: how long each render thread stays alive after its done message,
// which lets that message arrive before the thread's end, as it may anyway.
void SetRenderThreadLinger(HWND window, DWORD milliseconds);

}  // namespace ondrix
