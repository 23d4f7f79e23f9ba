#pragma once

// Everything a host needs: #include <wheretree/wheretree.h> and link wheretree::core.
#include "common/error.h"
#include "common/text.h"
