// Everything is inline; the build lists this file with the header.
#include "support/RecordingPlatform.h"
