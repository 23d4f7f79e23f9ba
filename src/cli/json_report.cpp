#include "cli/json_report.h"

#include <nlohmann/json.hpp>

#include "common/text.h"

namespace wheretree::cli {
namespace {

using Json = nlohmann::ordered_json;  // keys stay in the order they are set

Json Nodes(const TreeView& tree) {
  Json nodes = Json::array();
  for (const NodeRef& node : tree.Nodes().All()) {
    Json entry;
    entry["index"] = node->Index();
    entry["key"] = ToUtf8(node->Key());
    const NodeRef parent = node->Parent();
    entry["parent"] = parent ? Json(ToUtf8(parent->Key())) : Json(nullptr);
    entry["text"] = ToUtf8(node->Text());
    const std::optional<std::int16_t> image = node->Image();
    entry["image"] = image ? Json(*image) : Json(nullptr);
    const TagValue& tag = node->Tag();
    if (tag.IsNumber()) {
      entry["tag"] = tag.Number();
    } else if (tag.IsText()) {
      entry["tag"] = ToUtf8(tag.Text());
    } else {
      entry["tag"] = nullptr;
    }
    nodes.push_back(std::move(entry));
  }
  return nodes;
}

std::string Dump(const Json& json, int indent) {
  // Every text comes from ToUtf8, which never writes invalid UTF-8; replacing is only a guard.
  return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string JsonReport(const JobResult& result, const TreeView& tree) {
  Json out;
  out["aml"] = ToUtf8(result.aml);
  out["where"] = ToUtf8(result.where);
  out["ansi"] = ToUtf8(result.ansi);
  out["oracle_from"] = ToUtf8(result.oracle_from);
  out["oracle_where"] = ToUtf8(result.oracle_where);
  Json connections = Json::array();
  for (const ConnectionRecord& c : result.connections) {
    Json entry;
    entry["t_from"] = ToUtf8(c.t_from);
    entry["t_from_ali"] = ToUtf8(c.t_from_ali);
    entry["p_from"] = ToUtf8(c.p_from);
    entry["t_to"] = ToUtf8(c.t_to);
    entry["t_to_ali"] = ToUtf8(c.t_to_ali);
    entry["p_to"] = ToUtf8(c.p_to);
    entry["tp_con"] = c.tp_con;
    entry["con_con"] = c.con_con;
    connections.push_back(std::move(entry));
  }
  out["connections"] = std::move(connections);
  out["nodes"] = Nodes(tree);
  return Dump(out, 2) + "\n";
}

std::string JsonErrorReport(ErrorKind kind, const std::string& message, const TreeView& tree) {
  Json out;
  out["error"]["kind"] = std::string(KindName(kind));
  out["error"]["message"] = message;
  out["nodes"] = Nodes(tree);
  return Dump(out, 2) + "\n";
}

}  // namespace wheretree::cli
