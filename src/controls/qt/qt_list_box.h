// A single-selection, unsorted list whose user choices are announced with the list's Index.
#pragma once

#include <QtWidgets/QListWidget>
#include <cstdint>
#include <string>
#include <span>
#include <string_view>

#include "controls/list_box.h"

namespace tamirel {

// Notification rule: a selection change made by the user, with the mouse or the keyboard,
// emits Click(Index). A write of ListIndex from code never emits it, whether or not the index
// changes; that keeps a reset from code free of side effects. The user cannot clear the
// selection once an item is chosen.
class QtListBox : public QListWidget, public ListBox {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 19;   // pixels per item

    QtListBox(std::int16_t index, std::span<const std::string_view> items, QWidget* parent = nullptr);

    std::int16_t Index() const { return index_; }
    // Pixels per item; kRowHeight at the normal size.
    void SetRowHeight(int pixels);

    std::int16_t ListIndex() const override;
    // An index below -1 or past the last item is an invalid-property-value error.
    void SetListIndex(std::int16_t index) override;
    std::string List(std::int16_t index) const override;

signals:
    void Click(std::int16_t index);

protected:
    // Entering the list, a screen reader hears the chosen item: the current item becomes the
    // selected one (the selection stays) and takes the reader's focus.
    void focusInEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    std::int16_t index_;
    bool writingFromCode_ = false;
};

}  // namespace tamirel
