// SPDX-License-Identifier: GPL-3.0-or-later
// A lighting script file: parsed from memory, then every frame played on
// simulated boxes.
#include "FuzzSupport.h"

#include "script/ScriptFile.h"
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
    const Script script = ScriptFile::parse(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    Fuzz::require(script.frames.size() <= ScriptFile::kMaxFrames);
    ScriptRunner runner(Fuzz::Boxes::instance().encoders());
    runner.testReceiveFileData(script.frames, 1000000);
    // Long scripts of empty frames say nothing new after the first few hundred.
    for (int i = 0; i < script.frames.size() && i < 256; ++i)
        runner.runScript();
    return 0;
}
