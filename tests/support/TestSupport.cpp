#include "support/TestSupport.h"

namespace TestSupport {

QString dataPath(const QString& name)
{
    return QStringLiteral(TORBEL_TEST_DATA_DIR "/") + name;
}

} // namespace TestSupport
