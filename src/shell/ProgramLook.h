#pragma once

// What every window of the program shares, set once for the application at start: the program's icon,
// which top-level windows and dialogs show unless they set their own (MDI sub-windows take it from the
// main window), and push buttons that leave their text room on both sides.
namespace ProgramLook {
void install();
} // namespace ProgramLook
