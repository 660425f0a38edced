// The groups of the comparison page: made from the list's selection, renamed, removed, or taken
// from the default proposal, with one of them the control. They are list positions, so they
// belong to the list they were made from: an open, a type switch and a delete clear them, as
// they reset the table (rule D18).
#pragma once

#include <string>
#include <vector>

#include "analysis/groups.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

class SessionGroups {
 public:
  const std::vector<RecordGroup>& groups() const { return groups_; }
  bool empty() const { return groups_.empty(); }
  int control() const { return control_; }

  void Clear();
  // A group of the selected records named `name` (UTF-8). The records leave the groups they were
  // in; a group left without records goes, and the control stays with its group (the first
  // group when the control went). False when nothing is selected or the name is empty or taken.
  bool MakeFromSelection(const RecordList& list, const std::string& name);
  // False when the name is empty or another group has it.
  bool Rename(int group, const std::string& name);
  void Remove(int group);
  // Replaces the groups by the default proposal; the control is the first group.
  void Propose(const FileImage& image, const RecordList& list);
  bool SetControl(int group);
  // The group a list position belongs to, -1 for none.
  int GroupOf(int position) const;
  // The first of "组1", "组2", ... that no group has.
  std::string UnusedName() const;

 private:
  bool NameTaken(const std::string& name, int except) const;

  std::vector<RecordGroup> groups_;
  int control_ = 0;
};

}  // namespace corvel
