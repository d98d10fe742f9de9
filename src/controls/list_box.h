// A single-selection list of texts, as the geometry and the window see it.
#pragma once

#include <cstdint>
#include <string>

namespace tamirel {

class ListBox {
public:
    virtual ~ListBox() = default;

    // Selected item number from 0, or -1 when nothing is selected.
    virtual std::int16_t ListIndex() const = 0;
    // Selects item `index` (-1 clears the selection); an index outside the list is a
    // run-time error. Whether this notifies is the implementation's to document.
    virtual void SetListIndex(std::int16_t index) = 0;
    // The text of item `index` (UTF-8); the empty text for -1 or any other index
    // without an item.
    virtual std::string List(std::int16_t index) const = 0;
};

}  // namespace tamirel
