#pragma once

#include "files/script_file.h"

#include <QList>

namespace telvaro::state {
struct DeviceImageBytes;
} // namespace telvaro::state

namespace telvaro::files {

// The lines, each given the bytes the image keeps for the item it sets, so that scriptFileBytes
// sends a value the operator left alone in the codes the logger holds it in. The item of a line
// is its key less its "=" or ",": "mode3", "ALARM5", "CAEEWF5" (ALARM5 under its second name),
// "CADNS1"; a line whose key names no item gets none.
QList<ScriptLine> withAnswerBytes(QList<ScriptLine> lines, const state::DeviceImageBytes &image);

} // namespace telvaro::files
