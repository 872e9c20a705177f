#pragma once

// The tests use the names of every library unqualified, as the libraries' own sources use
// those of the libraries below them.
namespace telvaro::base {}
namespace telvaro::text {}
namespace telvaro::state {}
namespace telvaro::files {}
namespace telvaro::model {}
namespace telvaro::settings {}
namespace telvaro::screen_files {}
namespace telvaro::plan {}
namespace telvaro::link {}
namespace telvaro::ports {}
namespace telvaro::exchange {}
namespace telvaro::widgets {}
namespace telvaro::translations {}
namespace telvaro::cli {}
namespace telvaro::simulator {}
namespace telvaro::app {}

using namespace telvaro::base;
using namespace telvaro::text;
using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::screen_files;
using namespace telvaro::plan;
using namespace telvaro::link;
using namespace telvaro::ports;
using namespace telvaro::exchange;
using namespace telvaro::widgets;
using namespace telvaro::translations;
using namespace telvaro::cli;
using namespace telvaro::simulator;
using namespace telvaro::app;
