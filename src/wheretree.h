#pragma once

// Everything a host needs: #include <wheretree/wheretree.h> and link wheretree::core.
#include "catalogue/aml.h"
#include "catalogue/tables.h"
#include "common/error.h"
#include "common/text.h"
#include "control/where_tree_view_control.h"
#include "joins/c_connects.h"
#include "sqltext/report_error.h"
