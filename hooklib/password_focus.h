// Whether the user is typing into a password box, so that per-key counts leave it out.
// Asked by the keyboard hook at the press itself, on the hook thread, and only while keys
// are counted one by one.
#ifndef TALLYWICK_HOOKLIB_PASSWORD_FOCUS_H
#define TALLYWICK_HOOKLIB_PASSWORD_FOCUS_H

// True while the focused control of the foreground window is a standard password box (an
// edit or RichEdit control with ES_PASSWORD), and while a foreground window's focus cannot
// be read (it is on another desktop). Password fields that a program draws itself
// (browsers, most toolkits) look like no such control and cannot be told apart. The focus
// is the foreground thread's as that thread has processed it: a key typed right after Tab,
// before the program took the Tab from its queue, is judged by the control it leaves.
// A few system calls, none of which waits for another thread.
bool PasswordBoxHasFocus();

#endif
