#pragma once

// What DoModal of a parameter dialog returns: OK confirmed the values, any
// other way of leaving (Cancel, Esc, closing the window) is IDCANCEL.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
