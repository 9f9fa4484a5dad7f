#pragma once
// Shows a list of set names in a list box, without signalling a change: the
// entries are rebuilt only when they differ (a rebuild inside the list's own
// click would pull the entries from under it), then the selection is set.
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

#include "fieldsets/field_set_file.h"

namespace tessivar {

inline void ShowSetList(QListWidget* list, const SetList& sets) {
  const QSignalBlocker quiet(list);
  QStringList names;
  for (const auto& name : sets.names) names << QString::fromStdU16String(name);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
  if (shown != names) {
    list->clear();
    list->addItems(names);
  }
  if (list->currentRow() != sets.selected) list->setCurrentRow(sets.selected);
}

}  // namespace tessivar
