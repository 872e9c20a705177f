#pragma once

#include <QApplication>

#include <memory>

namespace telvaro::app {

// Starts the window's application. Without a display to open the window on, Qt would abort
// with advice to reinstall the program; instead one line on standard error says that a
// graphical display is needed and why there is none, and the program ends with exit status 1.
std::unique_ptr<QApplication> startGraphicalApplication(int &argc, char *argv[]);

} // namespace telvaro::app
