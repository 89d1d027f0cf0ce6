// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where bug reports go: named in the error dialogs' message and used as the
// recipient of the pre-filled bug-report e-mail.
inline constexpr char BugReportAddress[] = "bugs@zorvane.org";
