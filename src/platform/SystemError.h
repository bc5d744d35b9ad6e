#pragma once

#include <QString>

class QIODevice;

// The system's reasons in Russian. The C library gives them in English unless the
// system has its translations installed, and the program's messages are Russian
// throughout, so every reason a user sees is made here.
namespace SystemError {

// The reason for an errno value: "на диске нет места" for ENOSPC. A value without a
// text of its own gives its number and its symbolic name.
QString text(int intErrno);

// The reason a failed device (a file above all) gives. The toolkit keeps only the system's English
// sentence, so the errno it came from is found again by that sentence; a sentence that
// is no system reason gives a plain Russian one for the kind of failure.
QString text(const QIODevice& device);

} // namespace SystemError
