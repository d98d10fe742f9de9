#include "controls/qt/qt_list_box.h"

#include <QtGui/QAccessible>

#include "controls/runtime_error.h"

namespace tamirel {

QtListBox::QtListBox(std::int16_t index, std::span<const std::string_view> items, QWidget* parent)
    : QListWidget(parent), index_(index) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);   // a long item is clipped at the edge, not shortened
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string_view text : items) {
        auto* item = new QListWidgetItem(QString::fromUtf8(text), this);
        item->setSizeHint(QSize(0, kRowHeight));
    }
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!writingFromCode_) emit Click(index_);
    });
}

void QtListBox::SetRowHeight(int pixels) {
    for (int row = 0; row < count(); ++row) item(row)->setSizeHint(QSize(0, pixels));
}

std::int16_t QtListBox::ListIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::int16_t{-1} : static_cast<std::int16_t>(selected.first().row());
}

void QtListBox::SetListIndex(std::int16_t index) {
    if (index < -1 || index >= count()) throw RuntimeError::InvalidPropertyValue();
    writingFromCode_ = true;
    if (index == -1) {
        clearSelection();
        setCurrentIndex(QModelIndex());
    } else {
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
    writingFromCode_ = false;
}

void QtListBox::focusInEvent(QFocusEvent* event) {
    const std::int16_t chosen = ListIndex();
    if (chosen >= 0 && currentRow() != chosen)
        selectionModel()->setCurrentIndex(model()->index(chosen, 0), QItemSelectionModel::NoUpdate);
    QListWidget::focusInEvent(event);
    // The list's own focus event, raised once this handler returns, names the list; this one,
    // after it, names the item (the list's accessible children are its rows, in order).
    QMetaObject::invokeMethod(this, [this] {
        if (!hasFocus() || currentRow() < 0 || !QAccessible::isActive()) return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentRow());
        QAccessible::updateAccessibility(&focus);
    }, Qt::QueuedConnection);
}

std::string QtListBox::List(std::int16_t index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->text().toStdString() : std::string();
}

QItemSelectionModel::SelectionFlags QtListBox::selectionCommand(const QModelIndex& index,
                                                                const QEvent* /*event*/) const {
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

}  // namespace tamirel
