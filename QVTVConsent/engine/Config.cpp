#include "QVTVConsent/engine/Config.h"
