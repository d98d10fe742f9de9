// The one list of the file types a picture is saved, copied and offered as, in both faces. A
// new type is its writer and one line in PictureFormats().
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "lesson/page.h"

namespace tamirel {

struct PictureFormat {
    const char* id;          // "png", "svg", "pdf", "tikz"
    const char* name;        // the save dialog's words for it: "Изображение PNG"
    const char* extension;   // without the dot: "tex"
    const char* mime;        // the clipboard's and the browser's type: "text/x-tex"
    // The file's contents where the shared layer writes them (text formats); null where each
    // face paints them with its own toolkit (PNG, PDF).
    std::string (*write)(const Picture& picture);
};

// PNG, SVG, PDF and TikZ, in the order a save dialog offers them.
std::span<const PictureFormat> PictureFormats();

// The format whose extension is `extension` (without the dot, any case), or null.
const PictureFormat* FindPictureFormat(std::string_view extension);

// The format named by the extension of the file name `path` ("урок.TEX"), or null.
const PictureFormat* FormatOfPath(std::string_view path);

// "Неподдържан вид файл: изберете име, завършващо на .png, .svg, .pdf или .tex."
std::string UnsupportedFormatMessage();

// The list for the browser: [{"id", "name", "extension", "mime", "text": true when the core
// writes it}, …].
std::string PictureFormatsJson();

}  // namespace tamirel
