#pragma once

// The output for programs: one JSON object with the texts, the connections and the tree's nodes,
// or, when the job failed, the error and the tree as far as the job got.

#include <string>

#include "cli/exit_status.h"
#include "cli/where_job.h"
#include "control/tree_view.h"

namespace wheretree::cli {

/// {"aml", "where", "ansi", "oracle_from", "oracle_where", "connections": [{"t_from",
/// "t_from_ali", "p_from", "t_to", "t_to_ali", "p_to", "tp_con", "con_con"}], "nodes": [...]}
/// in this key order, indented by 2, ending in "\n". The nodes come in index order, each
/// {"index", "key", "parent", "text", "image", "tag"}: parent is the parent's key or null for the
/// root, image the number or null, tag null when empty, else the stored number or text:
///   root only -> "nodes": [{"index": 1, "key": "LP_1", "parent": null, "text": "", "image": 6,
///                           "tag": -1}]
std::string JsonReport(const JobResult& result, const TreeView& tree);

/// {"error": {"kind", "message"}, "nodes": [...]}, kind being the library's error kind
/// ("overflow", "out_of_range", "invalid_argument", "duplicate_key", "no_object").
std::string JsonErrorReport(ErrorKind kind, const std::string& message, const TreeView& tree);

}  // namespace wheretree::cli
