#pragma once

#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/KeyStore.h"
#include "platform/MessageBox.h"

namespace TestSupport {

// Every platform wrapper in test mode for one test: queue answers and paths, read the
// boxes, dialogs, help requests and desktop calls; the kept values start empty. Create it first in a test (or in
// init()) so that it outlives the windows it watches.
struct PlatformRecorder
{
    MessageBox::Recorder boxes;
    FileDialog::Recorder files;
    Desktop::Recorder desktop;
    Help::Recorder help;
    KeyStore::Recorder keys;
};

} // namespace TestSupport
