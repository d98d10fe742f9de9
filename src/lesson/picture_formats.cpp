#include "lesson/picture_formats.h"

#include <array>
#include <cctype>

#include "lesson/scene_draw.h"
#include "lesson/tikz_writer.h"

namespace tamirel {

std::span<const PictureFormat> PictureFormats() {
    static constexpr std::array<PictureFormat, 4> formats{{
        {"png", "Изображение PNG", "png", "image/png", nullptr},
        {"svg", "Рисунка SVG", "svg", "image/svg+xml", &PictureToSvg},
        {"pdf", "Документ PDF", "pdf", "application/pdf", nullptr},
        {"tikz", "Рисунка TikZ за LaTeX", "tex", "text/x-tex", &PictureToTikz},
    }};
    return formats;
}

const PictureFormat* FindPictureFormat(std::string_view extension) {
    for (const PictureFormat& format : PictureFormats()) {
        const std::string_view own = format.extension;
        if (own.size() != extension.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < own.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(extension[i])) == own[i];
        if (same) return &format;
    }
    return nullptr;
}

const PictureFormat* FormatOfPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return nullptr;
    return FindPictureFormat(path.substr(dot + 1));
}

std::string UnsupportedFormatMessage() {
    std::string names;
    const auto formats = PictureFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        Append(names, {i == 0 ? "" : i + 1 == formats.size() ? " или " : ", ", ".", formats[i].extension});
    }
    return "Неподдържан вид файл: изберете име, завършващо на " + names + ".";
}

std::string PictureFormatsJson() {
    std::string json = "[";
    for (const PictureFormat& format : PictureFormats()) {
        if (json.size() > 1) json += ',';
        AppendJsonStrings(json, {{"{\"id\":", format.id}, {",\"name\":", format.name}, {",\"extension\":", format.extension},
                                 {",\"mime\":", format.mime}});
        Append(json, {",\"text\":", format.write ? "true" : "false", "}"});
    }
    json += ']';
    return json;
}

}  // namespace tamirel
