// The reference model the randomized table tests check a memory table
// against: records, order, current record, state and flags, written as
// plainly as possible.
#pragma once

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace reference_model {

struct MRec {
  std::optional<int> id;
  std::optional<std::string> name;
  std::optional<int> num;
  int uid = -1;  // identity of a stored record in the model, for bookmarks
  // The further kinds, used by the runs over a table that has them.
  std::optional<std::int64_t> cents;   // decimal with two places
  std::optional<std::string> bytes;    // var-bytes, NULs included
  std::optional<std::string> guid;     // in its stored spelling
  std::optional<std::int64_t> millis;  // time stamp
  std::optional<std::string> memo;
  friend bool operator==(const MRec& a, const MRec& b) {
    return a.id == b.id && a.name == b.name && a.num == b.num && a.cents == b.cents &&
           a.bytes == b.bytes && a.guid == b.guid && a.millis == b.millis && a.memo == b.memo;
  }
};

template <class T>
std::string Opt(const std::optional<T>& v) {
  if (!v) return "null";
  std::ostringstream s;
  s << *v;
  return s.str();
}

inline std::string Describe(const MRec& r) {
  std::ostringstream s;
  s << "{id=" << (r.id ? std::to_string(*r.id) : "null")
    << " name=" << (r.name ? "\"" + *r.name + "\"" : "null")
    << " num=" << (r.num ? std::to_string(*r.num) : "null") << " cents=" << Opt(r.cents)
    << " bytes=" << (r.bytes ? std::to_string(r.bytes->size()) + " bytes" : "null")
    << " guid=" << Opt(r.guid) << " millis=" << Opt(r.millis)
    << " memo=" << (r.memo ? std::to_string(r.memo->size()) + " chars" : "null") << "}";
  return s.str();
}

enum class MState { Browse, Edit, Insert };

// What the table must do, written as plainly as possible.
struct Model {
  std::vector<MRec> rows;  // row order
  int cur = -1;            // index of the current record, -1 when none
  MState st = MState::Browse;
  bool eof = true, bof = true;
  MRec pending;
  bool modified = false;
  bool appending = false;
  int insertAt = 0;
  int highMark = -1;
  int nextUid = 0;

  void ClearWindow() { eof = bof = true; }

  // A resync that finds a record rebuilds the window around it, which clears
  // both flags; one that finds none leaves an empty window.
  void AfterResync() {
    if (rows.empty()) {
      cur = -1;
      ClearWindow();
    } else {
      eof = bof = false;
    }
  }

  void Post() {
    if (pending.id && *pending.id > highMark) highMark = *pending.id;
    if (st == MState::Insert) {
      pending.uid = nextUid++;
      if (appending) {
        rows.push_back(pending);
        cur = int(rows.size()) - 1;
      } else {
        rows.insert(rows.begin() + insertAt, pending);
        cur = insertAt;
      }
    } else {
      int uid = rows[cur].uid;
      rows[cur] = pending;
      rows[cur].uid = uid;
    }
    st = MState::Browse;
    AfterResync();
  }

  void Cancel() {
    if (st == MState::Browse) return;
    if (st == MState::Insert) {
      if (appending)
        cur = int(rows.size()) - 1;
      else
        cur = rows.empty() ? -1 : insertAt;
    }
    st = MState::Browse;
    AfterResync();
  }

  void CheckBrowseMode() {
    if (st == MState::Browse) return;
    if (modified)
      Post();
    else
      Cancel();
  }

  void NewRecord() {
    st = MState::Insert;
    pending = MRec{};
    pending.id = highMark + 1;
    modified = false;
  }

  void Append() {
    CheckBrowseMode();
    ClearWindow();
    bof = false;
    appending = true;
    NewRecord();
  }

  void Insert() {
    CheckBrowseMode();
    insertAt = cur < 0 ? 0 : cur;
    appending = false;
    NewRecord();
  }

  void Edit() {
    if (st != MState::Browse) return;
    if (rows.empty()) return Insert();
    st = MState::Edit;
    pending = rows[cur];
    modified = false;
  }

  void Delete() {
    if (st == MState::Insert) return Cancel();
    rows.erase(rows.begin() + cur);
    st = MState::Browse;
    if (cur >= int(rows.size())) cur = int(rows.size()) - 1;
    AfterResync();
  }

  void First() {
    CheckBrowseMode();
    cur = rows.empty() ? -1 : 0;
    bof = true;
    eof = rows.empty();
  }

  int MoveBy(int n) {
    CheckBrowseMode();
    if (n == 0 || (n > 0 && eof) || (n < 0 && bof)) return 0;
    eof = bof = false;
    int moved = 0;
    if (n > 0) {
      while (moved < n) {
        if (cur + 1 >= int(rows.size())) {
          eof = true;
          break;
        }
        ++cur, ++moved;
      }
      return moved;
    }
    while (moved < -n) {
      if (cur <= 0) {
        bof = true;
        break;
      }
      --cur, ++moved;
    }
    return -moved;
  }

  bool Locate(int id) {
    return LocateBy([&](const MRec& r) { return r.id == id; });
  }

  template <class Pred>
  bool LocateBy(Pred match) {
    CheckBrowseMode();
    for (size_t i = 0; i < rows.size(); ++i)
      if (match(rows[i])) {
        cur = int(i);
        AfterResync();
        return true;
      }
    return false;
  }

  int IndexOfUid(int uid) const {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].uid == uid) return int(i);
    return -1;
  }
};

}  // namespace reference_model
