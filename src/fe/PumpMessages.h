#pragma once

// Lets every event waiting for the calling thread through and returns when none is left; it never
// waits for new ones. Long operations on the user-interface thread call it between their steps so that
// the progress dialog repaints and its Cancel button is seen. The caller must have put the frame in its
// busy state first: commands can run from inside this call.
void PumpMessages();
