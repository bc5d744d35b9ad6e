// The windows part's loadable module (see app/WindowsPart.h): everything it holds
// comes from torbel_core; this is its one exported symbol.
#include "app/WindowsPart.h"

extern "C" __attribute__((visibility("default"))) int torbel_run(int argc, char* argv[])
{
    return WindowsPart::main(argc, argv);
}
