#include "viewer/session_groups.h"

#include <algorithm>

namespace corvel {

void SessionGroups::Clear() {
  groups_.clear();
  control_ = 0;
}

bool SessionGroups::NameTaken(const std::string& name, int except) const {
  for (int g = 0; g < static_cast<int>(groups_.size()); ++g)
    if (g != except && groups_[static_cast<size_t>(g)].name == name) return true;
  return false;
}

bool SessionGroups::MakeFromSelection(const RecordList& list, const std::string& name) {
  if (list.selected_count == 0 || name.empty() || NameTaken(name, -1)) return false;
  RecordGroup made{name, {}};
  for (int p = 0; p < list.count; ++p)
    if (list.selected[p]) made.positions.push_back(p);
  const std::string control_name = groups_.empty() ? std::string() : groups_[control_].name;
  for (RecordGroup& g : groups_) {
    auto taken = [&](int p) { return list.selected[p] != 0; };
    g.positions.erase(std::remove_if(g.positions.begin(), g.positions.end(), taken),
                      g.positions.end());
  }
  groups_.erase(std::remove_if(groups_.begin(), groups_.end(),
                               [](const RecordGroup& g) { return g.positions.empty(); }),
                groups_.end());
  groups_.push_back(std::move(made));
  control_ = 0;
  for (int g = 0; g < static_cast<int>(groups_.size()); ++g)
    if (groups_[static_cast<size_t>(g)].name == control_name) control_ = g;
  return true;
}

bool SessionGroups::Rename(int group, const std::string& name) {
  if (group < 0 || group >= static_cast<int>(groups_.size())) return false;
  if (name.empty() || NameTaken(name, group)) return false;
  groups_[static_cast<size_t>(group)].name = name;
  return true;
}

void SessionGroups::Remove(int group) {
  if (group < 0 || group >= static_cast<int>(groups_.size())) return;
  groups_.erase(groups_.begin() + group);
  if (control_ == group)
    control_ = 0;
  else if (control_ > group)
    --control_;
}

void SessionGroups::Propose(const FileImage& image, const RecordList& list) {
  groups_ = ProposeGroups(image, list);
  control_ = 0;
}

bool SessionGroups::SetControl(int group) {
  if (group < 0 || group >= static_cast<int>(groups_.size())) return false;
  control_ = group;
  return true;
}

int SessionGroups::GroupOf(int position) const {
  for (int g = 0; g < static_cast<int>(groups_.size()); ++g) {
    const std::vector<int>& p = groups_[static_cast<size_t>(g)].positions;
    if (std::binary_search(p.begin(), p.end(), position)) return g;
  }
  return -1;
}

std::string SessionGroups::UnusedName() const {
  for (int k = 1;; ++k) {
    std::string name = "\xE7\xBB\x84" + std::to_string(k);  // 组 in UTF-8
    if (!NameTaken(name, -1)) return name;
  }
}

}  // namespace corvel
