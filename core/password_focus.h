// Whether the user is typing into a password box, so that per-key counts leave it out.
#ifndef TALLYWICK_PASSWORD_FOCUS_H
#define TALLYWICK_PASSWORD_FOCUS_H

// True while the focused control of the foreground window is a standard password box (an
// edit control with ES_PASSWORD), and while a foreground window's focus cannot be read
// (it is on another desktop). Password
// fields that a program draws itself (browsers, most toolkits) look like no edit control
// and cannot be told apart. A few system calls: asked once per key press, and only while
// keys are counted one by one.
bool PasswordBoxHasFocus();

#endif
