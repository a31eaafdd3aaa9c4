// Building link records.
#include "LinkRecord.h"
