#pragma once
// One QApplication for all widget tests of a program, created when the first
// test needs it (listing the tests needs no display) and destroyed by the
// program's main before static destruction.
#include <QApplication>

namespace lumeno::test {

QApplication& UiApp();

// Base of widget fixtures: makes sure the application exists before any
// member widget is constructed.
struct UiAppUser {
    UiAppUser() { UiApp(); }
};

} // namespace lumeno::test
