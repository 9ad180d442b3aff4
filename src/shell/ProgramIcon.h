#pragma once

// The program's icon on every window: set once for the application, it is what top-level windows and
// dialogs show unless they set their own; windows made another way (MDI sub-windows) take it from here.
namespace ProgramIcon {
void install();
} // namespace ProgramIcon
