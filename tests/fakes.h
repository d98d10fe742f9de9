// Recording stand-ins for the canvas and the lists: every call, read or write, is appended
// to one shared log, so a test can check the order of reads and draws and their arguments.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controls/list_box.h"
#include "controls/picture_box.h"

namespace tamirel::testing {

struct Call {
    std::string what;           // "Circle", "radii.ListIndex", ...
    std::vector<double> args;   // in the order the operation takes them
};

using CallLog = std::vector<Call>;

inline std::vector<std::string> Names(const CallLog& log) {
    std::vector<std::string> names;
    for (const Call& c : log) names.push_back(c.what);
    return names;
}

class RecordingPictureBox : public PictureBox {
public:
    explicit RecordingPictureBox(CallLog& log, float scaleWidth = 1000, float scaleHeight = 1000)
        : log_(log), scaleWidth_(scaleWidth), scaleHeight_(scaleHeight) {}

    void SetScaleWidth(float units) override { Log("SetScaleWidth", {units}); scaleWidth_ = units; }
    void SetScaleHeight(float units) override { Log("SetScaleHeight", {units}); scaleHeight_ = units; }
    float ScaleWidth() const override { Log("ScaleWidth", {}); return scaleWidth_; }
    float ScaleHeight() const override { Log("ScaleHeight", {}); return scaleHeight_; }
    void SetBackColor(Colour colour) override { Log("SetBackColor", {static_cast<double>(colour)}); }
    void Cls() override { Log("Cls", {}); }
    void SetDrawStyle(std::int16_t style) override { Log("SetDrawStyle", {double(style)}); style_ = style; }
    std::int16_t DrawStyle() const override { Log("DrawStyle", {}); return style_; }
    void Circle(float x, float y, float radius) override { Log("Circle", {x, y, radius}); }
    void PSet(float x, float y) override { Log("PSet", {x, y}); }
    void Line(float x, float y) override { Log("Line", {x, y}); }

private:
    void Log(std::string what, std::vector<double> args) const { log_.push_back({std::move(what), std::move(args)}); }

    CallLog& log_;
    float scaleWidth_;
    float scaleHeight_;
    std::int16_t style_ = 0;
};

class FakeListBox : public ListBox {
public:
    FakeListBox(std::string name, CallLog& log, std::vector<std::string> items, std::int16_t selected = -1)
        : name_(std::move(name)), log_(log), items_(std::move(items)), selected_(selected) {}

    std::int16_t ListIndex() const override {
        log_.push_back({name_ + ".ListIndex", {}});
        return selected_;
    }
    void SetListIndex(std::int16_t index) override {
        log_.push_back({name_ + ".SetListIndex", {double(index)}});
        selected_ = index;
    }
    std::string List(std::int16_t index) const override {
        log_.push_back({name_ + ".List", {double(index)}});
        return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index] : std::string();
    }

private:
    std::string name_;
    CallLog& log_;
    std::vector<std::string> items_;
    std::int16_t selected_;
};

}  // namespace tamirel::testing
