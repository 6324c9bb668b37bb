// Puts the application's globals back to their start values between tests.
#pragma once

void restoreStartState();
