#pragma once
// Key and mouse-button state for the input being handled.
namespace platform {
bool ctrlDown();
bool shiftDown();
bool leftButtonDown();
bool rightButtonDown();
bool middleButtonDown();
} // namespace platform
