// SPDX-License-Identifier: GPL-3.0-or-later
// One frame of a lighting script, as JSON text, played on simulated boxes.
#include "FuzzSupport.h"

#include "script/ScriptRunner.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    Fuzz::Boxes::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Boxes::instance().reset();
    ScriptRunner runner(Fuzz::Boxes::instance().encoders());
    runner.testReceiveFileData({QString::fromUtf8(reinterpret_cast<const char *>(data), int(size))}, 1000000);
    runner.runScript();
    Fuzz::require(runner.framesLeft() == 0);
    return 0;
}
