#pragma once

#include "support/telvaro_names.h"

// The window's messages and Qt's buttons in Japanese, as the program shows them; once per test program.
void translateAsTheProgramDoes();
