#include "kit/demo_sg.h"

#include "core/text_format.h"
#include "kit/model_kit.h"

namespace kit {
namespace {

// A picture: its title and what is drawn in the active colour (entry 1) on
// the background (entry 0).
struct DemoPicture {
    const char* file;
    const char* title;
    std::vector<const char*> drawing;
};

const std::vector<DemoPicture>& demoPictures()
{
    static const std::vector<DemoPicture> pictures = {
        {"KOV_P1.vtp", "CROSSHATCH", {"HATCH 16 12"}},
        {"KOV_P2.vtp", "PATT_MEME", {"CHAR ME 16 12"}},
        {"KOV_P3.vtp", "GRAYSCALE", {"GRAYSCALE 16"}},
        {"KOV_P4.vtp", "WHITE", {"BOX 0 0 MAXX MAXY"}},
        {"KOV_P5.vtp", "PATT_USER_1", {"DOTS 25 25"}},
        {"KOV_P6.vtp", "PATT_MOIRE", {"CHECKER 1 1"}},
        {"KOV_P7.vtp", "PATT_43_HATCH", {"HATCH 4 3"}},
        {"KOV_P8.vtp", "PATT_54_HATCH", {"HATCH 5 4"}},
        {"KOV_P9.vtp", "SMALL_HATCH", {"HATCH 64 48"}},
        {"KOV_P10.vtp", "GRAY(30IRE)", {"LEVEL 30", "BOX 0 0 MAXX MAXY"}},
        {"KOV_P11.vtp", "BLACK", {}},
        {"KOV_P12.vtp", "6%_WHITE", {"SET A 37", "SET B 24", "SET W MAXX", "SET H MAXY", "SET J W*A",
                                     "SET J J/100", "SET K H*A", "SET K K/100", "SET X W*B", "SET X X/100",
                                     "SET Y H*B", "SET Y Y/100", "SET W J+X", "SET H K+Y", "BOX J K  W H"}},
        {"KOV_P13.vtp", "PATT_USER_2", {"COLORBAR 8"}},
        {"KOV_P13_75.vtp", "PATT_USER_2 75%", {"LEVEL 75", "COLORBAR 8"}},
        {"Grid.vtp", "GRID", {"GRID 10 10"}},
    };
    return pictures;
}

std::string pictureFile(const DemoPicture& p)
{
    std::string text = std::string("VTG-Ver 5.2.0\n") + p.title +
                       "\nABSOLUTE \n\nSET M 1 ; ACTIVE COLOR\nSET E 0 ; BACKGROUND COLOR\nCOLOR E\n"
                       "BOX 0 0 MAXX MAXY\nCOLOR M \n";
    for (const char* line : p.drawing) text += std::string(line) + "\n";
    return text;
}

// A colour table: background (entry 0), active colour (entry 1), grey ramp.
struct Rgb {
    int r, g, b;
};

std::string colourTable(Rgb background, Rgb active)
{
    std::string text = "VTG-Ver 5.2.0 HW=VTG-3A/135_08_3.1.5\n\n";
    text += core::strf("%3d %3d %3d\n", background.r, background.g, background.b);
    text += core::strf("%3d %3d %3d\n", active.r, active.g, active.b);
    for (int i = 2; i <= 255; ++i) text += core::strf("%3d %3d %3d\n", i, i, i);
    return text + " 700\n 300\n";
}

struct DemoColours {
    const char* letters;
    Rgb guns;
};

constexpr DemoColours kGuns[] = {
    {"R", {255, 0, 0}},   {"G", {0, 255, 0}},   {"B", {0, 0, 255}},   {"RG", {255, 255, 0}},
    {"GB", {0, 255, 255}}, {"RB", {255, 0, 255}}, {"RGB", {255, 255, 255}},
};

} // namespace

std::vector<std::string> demoSgFileNames()
{
    std::vector<std::string> names;
    for (const DemoPicture& p : demoPictures()) names.push_back(p.file);
    for (const DemoColours& c : kGuns) names.push_back(std::string("KOV_") + c.letters + ".vtc");
    for (const DemoColours& c : kGuns) names.push_back(std::string("KOV_I") + c.letters + ".vtc");
    names.push_back("color.vtc");
    return names;
}

bool writeDemoSgFolder(const std::string& home)
{
    const std::string folder = home + "/SG/";
    bool ok = true;
    for (const DemoPicture& p : demoPictures()) ok = ok && writeFile(folder + p.file, pictureFile(p));
    const Rgb black{0, 0, 0};
    for (const DemoColours& c : kGuns) {
        // The pattern in the guns' colour on black; inverted, in black on the guns' colour.
        ok = ok && writeFile(folder + "KOV_" + c.letters + ".vtc", colourTable(black, c.guns));
        ok = ok && writeFile(folder + "KOV_I" + c.letters + ".vtc", colourTable(c.guns, black));
    }
    return ok && writeFile(folder + "color.vtc", colourTable(black, {255, 255, 255}));
}

} // namespace kit
