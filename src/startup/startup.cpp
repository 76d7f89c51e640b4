#include "startup/startup.h"

#include "media/media.h"

// Placeholder entry until the start-up sequence lands: it only proves that the
// program links against the media layer.
int RunGame(int, char**)
{
    showMessageBox("Morvane::", "The start-up sequence is not built yet.");
    return 1;
}
