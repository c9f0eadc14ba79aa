#include "setstore/group_table.h"

#include <cstring>

#include "setstore.h"

namespace setstore {

static_assert(sizeof(REG_MARGIN) == 16 && sizeof(REG_FONT) == 56);
static_assert(sizeof(REG_PG) == 40 && sizeof(REG_COM) == 28 && sizeof(REG_SERI) == 20);
static_assert(sizeof(REG_PARA) == 28 && sizeof(REG_USB) == 8 && sizeof(REG_LAYOUT) == 4);
static_assert(sizeof(REG_PGBASE) == 4 && sizeof(REG_PROGRAM) == 20 && sizeof(REG_VBM) == 24);
static_assert(sizeof(REG_OPTIONPTN) == 76 && sizeof(REG_USERCHAR) == 24 && sizeof(REG_GROUP) == 20);
static_assert(sizeof(REG_AUTODISP) == 20 && sizeof(REG_FILEPATH) == 6144 && sizeof(REG_COMMON) == 260);
static_assert(sizeof(REG_PROCESS) == 12 && sizeof(REG_DDC) == 20 && sizeof(REG_CDC) == 20);
static_assert(sizeof(REG_CURSOL) == 20 && sizeof(REG_GRAPHIC) == 20);

void GroupSpec::number(const char* key, const char* valueName, size_t offset)
{
    values.push_back({key, valueName, offset, ValueKind::Number, 4});
}

void GroupSpec::text(const char* key, const char* valueName, size_t offset, size_t width)
{
    values.push_back({key, valueName, offset, ValueKind::Text, width});
}

void GroupSpec::margin(const char* key, size_t offset)
{
    number(key, "TopMargin", offset + offsetof(REG_MARGIN, TopMargin));
    number(key, "BottomMargin", offset + offsetof(REG_MARGIN, BottomMargin));
    number(key, "LeftMargin", offset + offsetof(REG_MARGIN, LeftMargin));
    number(key, "RightMargin", offset + offsetof(REG_MARGIN, RightMargin));
}

void GroupSpec::font(const char* key, size_t offset)
{
    number(key, "Color", offset + offsetof(REG_FONT, Color));
    number(key, "Height", offset + offsetof(REG_FONT, Height));
    text(key, "Name", offset + offsetof(REG_FONT, Name), sizeof(REG_FONT::Name));
    number(key, "Pitch", offset + offsetof(REG_FONT, Pitch));
    number(key, "PixelPerInch", offset + offsetof(REG_FONT, PixelPerInch));
    number(key, "Size", offset + offsetof(REG_FONT, Size));
    number(key, "Style", offset + offsetof(REG_FONT, Style));
}

namespace {

GroupSpec& add(std::vector<GroupSpec>& table, GroupId id, const char* name, size_t size)
{
    table.push_back(GroupSpec{id, name, size, {}});
    return table.back();
}

std::vector<GroupSpec> buildTable()
{
    std::vector<GroupSpec> table;
    {
        GroupSpec& g = add(table, GroupId::PG, "PG", sizeof(REG_PG));
        g.text("PG", "PGType", offsetof(REG_PG, PGType), sizeof(REG_PG::PGType));
        g.number("PG", "DtDevice", offsetof(REG_PG, DtDevice));
        g.number("PG", "PGVersion", offsetof(REG_PG, PGVersion));
        g.number("PG", "PanelRom", offsetof(REG_PG, PanelRom));
        g.number("PG", "MemCard", offsetof(REG_PG, MemCard));
        g.number("PG", "GroupMode", offsetof(REG_PG, GroupMode));
        g.number("PG", "GroupDSW", offsetof(REG_PG, GroupDSW));
    }
    {
        GroupSpec& g = add(table, GroupId::Com, "Com", sizeof(REG_COM));
        g.number("Com", "Enable", offsetof(REG_COM, Enable));
        g.number("Com", "SeriPara", offsetof(REG_COM, SeriPara));
        g.number("Com", "TimeoutByte", offsetof(REG_COM, TimeoutByte));
        g.number("Com", "TimeoutCmdACK", offsetof(REG_COM, TimeoutCmdACK));
        g.number("Com", "TimeoutDataACK", offsetof(REG_COM, TimeoutDataACK));
        g.number("Com", "Timeout", offsetof(REG_COM, Timeout));
        g.number("Com", "Beep", offsetof(REG_COM, Beep));
    }
    {
        GroupSpec& g = add(table, GroupId::Seri, "Seri", sizeof(REG_SERI));
        g.number("Com\\Seri", "PortNo", offsetof(REG_SERI, PortNo));
        g.number("Com\\Seri", "Bps", offsetof(REG_SERI, Bps));
        g.number("Com\\Seri", "CharSize", offsetof(REG_SERI, CharSize));
        g.number("Com\\Seri", "Parity", offsetof(REG_SERI, Parity));
        g.number("Com\\Seri", "StopBits", offsetof(REG_SERI, StopBits));
    }
    {
        GroupSpec& g = add(table, GroupId::Para, "Para", sizeof(REG_PARA));
        g.number("Com\\Para", "TimeOutMethod", offsetof(REG_PARA, TimeOutMethod));
        g.number("Com\\Para", "RcvTimeOut", offsetof(REG_PARA, RcvTimeOut));
        g.number("Com\\Para", "SndTimeOut", offsetof(REG_PARA, SndTimeOut));
        g.number("Com\\Para", "ErrTimeOut", offsetof(REG_PARA, ErrTimeOut));
        g.number("Com\\Para", "DirWait", offsetof(REG_PARA, DirWait));
        g.number("Com\\Para", "IOWait", offsetof(REG_PARA, IOWait));
        g.number("Com\\Para", "MsecWait", offsetof(REG_PARA, MsecWait));
    }
    {
        GroupSpec& g = add(table, GroupId::Usb, "Usb", sizeof(REG_USB));
        g.number("Com\\Usb", "RcvTimeOut", offsetof(REG_USB, RcvTimeOut));
        g.number("Com\\Usb", "SndTimeOut", offsetof(REG_USB, SndTimeOut));
    }
    add(table, GroupId::Layout, "Layout", sizeof(REG_LAYOUT)); // shared block only
    {
        GroupSpec& g = add(table, GroupId::PGBase, "PGBase", sizeof(REG_PGBASE));
        g.number("PGBase", "ErrComEnable", offsetof(REG_PGBASE, ErrComEnable));
    }
    {
        GroupSpec& g = add(table, GroupId::Program, "Program", sizeof(REG_PROGRAM));
        g.margin("Program\\Margin", offsetof(REG_PROGRAM, Margin));
        g.number("Program", "PrintFileName", offsetof(REG_PROGRAM, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::VBM, "VBM", sizeof(REG_VBM));
        g.margin("VBM\\Margin", offsetof(REG_VBM, Margin));
        g.number("VBM", "PrintFileName", offsetof(REG_VBM, PrintFileName));
        g.number("VBM", "DispBMP", offsetof(REG_VBM, DispBMP));
    }
    {
        GroupSpec& g = add(table, GroupId::OptionPtn, "OptionPtn", sizeof(REG_OPTIONPTN));
        g.margin("OptionPtn\\Margin", offsetof(REG_OPTIONPTN, Margin));
        g.number("OptionPtn", "PrintFileName", offsetof(REG_OPTIONPTN, PrintFileName));
        g.font("OptionPtn\\Font", offsetof(REG_OPTIONPTN, Font));
    }
    {
        GroupSpec& g = add(table, GroupId::UserChar, "UserChar", sizeof(REG_USERCHAR));
        g.margin("UserChar\\Margin", offsetof(REG_USERCHAR, Margin));
        g.number("UserChar", "PrintFileName", offsetof(REG_USERCHAR, PrintFileName));
        g.number("UserChar", "DispBMP", offsetof(REG_USERCHAR, DispBMP));
    }
    {
        GroupSpec& g = add(table, GroupId::Group, "Group", sizeof(REG_GROUP));
        g.margin("Group\\Margin", offsetof(REG_GROUP, Margin));
        g.number("Group", "PrintFileName", offsetof(REG_GROUP, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::AutoDisp, "AutoDisp", sizeof(REG_AUTODISP));
        g.margin("AutoDisp\\Margin", offsetof(REG_AUTODISP, Margin));
        g.number("AutoDisp", "PrintFileName", offsetof(REG_AUTODISP, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::FilePath, "FilePath", sizeof(REG_FILEPATH));
        g.text("FilePath", "DataDir", offsetof(REG_FILEPATH, DataDir), sizeof(REG_FILEPATH::DataDir));
        g.text("FilePath", "HelpDir", offsetof(REG_FILEPATH, HelpDir), sizeof(REG_FILEPATH::HelpDir));
        g.text("FilePath", "ExeDir", offsetof(REG_FILEPATH, ExeDir), sizeof(REG_FILEPATH::ExeDir));
        g.text("FilePath", "MsgDir", offsetof(REG_FILEPATH, MsgDir), sizeof(REG_FILEPATH::MsgDir));
        g.text("FilePath", "TempDir", offsetof(REG_FILEPATH, TempDir), sizeof(REG_FILEPATH::TempDir));
        g.text("FilePath", "IntPrgDir", offsetof(REG_FILEPATH, IntPrgDir), sizeof(REG_FILEPATH::IntPrgDir));
        g.text("FilePath", "IntCharDir", offsetof(REG_FILEPATH, IntCharDir), sizeof(REG_FILEPATH::IntCharDir));
        g.text("FilePath", "PGManagePath", offsetof(REG_FILEPATH, PGManagePath), sizeof(REG_FILEPATH::PGManagePath));
        g.text("FilePath", "PrgEditPath", offsetof(REG_FILEPATH, PrgEditPath), sizeof(REG_FILEPATH::PrgEditPath));
        g.text("FilePath", "GrpEditPath", offsetof(REG_FILEPATH, GrpEditPath), sizeof(REG_FILEPATH::GrpEditPath));
        g.text("FilePath", "CharEditPath", offsetof(REG_FILEPATH, CharEditPath), sizeof(REG_FILEPATH::CharEditPath));
        g.text("FilePath", nullptr, offsetof(REG_FILEPATH, ADEditPath), sizeof(REG_FILEPATH::ADEditPath));
        g.text("FilePath", "CPCPath", offsetof(REG_FILEPATH, CPCPath), sizeof(REG_FILEPATH::CPCPath));
        g.text("FilePath", "VbmCvtPath", offsetof(REG_FILEPATH, VbmCvtPath), sizeof(REG_FILEPATH::VbmCvtPath));
        g.text("FilePath", "OptEditPath", offsetof(REG_FILEPATH, OptEditPath), sizeof(REG_FILEPATH::OptEditPath));
        g.text("FilePath", "GpcEditPath", offsetof(REG_FILEPATH, GpcEditPath), sizeof(REG_FILEPATH::GpcEditPath));
        g.text("FilePath", "PrgEditDataPath", offsetof(REG_FILEPATH, PrgEditDataPath), sizeof(REG_FILEPATH::PrgEditDataPath));
        g.text("FilePath", "GrpEditDataPath", offsetof(REG_FILEPATH, GrpEditDataPath), sizeof(REG_FILEPATH::GrpEditDataPath));
        g.text("FilePath", "CharEditDataPath", offsetof(REG_FILEPATH, CharEditDataPath), sizeof(REG_FILEPATH::CharEditDataPath));
        g.text("FilePath", "ADEditDataPath", offsetof(REG_FILEPATH, ADEditDataPath), sizeof(REG_FILEPATH::ADEditDataPath));
        g.text("FilePath", "ROMDataPath", offsetof(REG_FILEPATH, ROMDataPath), sizeof(REG_FILEPATH::ROMDataPath));
        g.text("FilePath", "VbmCvtDataPath", offsetof(REG_FILEPATH, VbmCvtDataPath), sizeof(REG_FILEPATH::VbmCvtDataPath));
        g.text("FilePath", "OptEditDataPath", offsetof(REG_FILEPATH, OptEditDataPath), sizeof(REG_FILEPATH::OptEditDataPath));
        g.text("FilePath", "GpcEditDataPath", offsetof(REG_FILEPATH, GpcEditDataPath), sizeof(REG_FILEPATH::GpcEditDataPath));
    }
    {
        GroupSpec& g = add(table, GroupId::Common, "Common", sizeof(REG_COMMON));
        g.text("Common", "Layout", offsetof(REG_COMMON, Layout), sizeof(REG_COMMON::Layout));
    }
    {
        GroupSpec& g = add(table, GroupId::Process, "Process", sizeof(REG_PROCESS));
        g.number("Process", "AllSize", offsetof(REG_PROCESS, AllSize));
        g.number("Process", "FinishSize", offsetof(REG_PROCESS, FinishSize));
        g.number("Process", "Cancel", offsetof(REG_PROCESS, Cancel));
    }
    {
        GroupSpec& g = add(table, GroupId::DDC, "DDC", sizeof(REG_DDC));
        g.margin("DDC\\Margin", offsetof(REG_DDC, Margin));
        g.number("DDC", "PrintFileName", offsetof(REG_DDC, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::CDC, "CDC", sizeof(REG_CDC));
        g.margin("CDC\\Margin", offsetof(REG_CDC, Margin));
        g.number("CDC", "PrintFileName", offsetof(REG_CDC, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::Cursol, "Cursol", sizeof(REG_CURSOL));
        g.margin("Cursol\\Margin", offsetof(REG_CURSOL, Margin));
        g.number("Cursol", "PrintFileName", offsetof(REG_CURSOL, PrintFileName));
    }
    {
        GroupSpec& g = add(table, GroupId::Graphic, "Graphic", sizeof(REG_GRAPHIC));
        g.margin("Graphic\\Margin", offsetof(REG_GRAPHIC, Margin));
        g.number("Graphic", "PrintFileName", offsetof(REG_GRAPHIC, PrintFileName));
    }
    return table;
}

} // namespace

const GroupSpec& groupSpec(GroupId id)
{
    static const std::vector<GroupSpec> table = buildTable();
    return table[static_cast<size_t>(id)];
}

const std::vector<GroupId>& initOrder()
{
    static const std::vector<GroupId> order = {
        GroupId::PG, GroupId::Com, GroupId::Seri, GroupId::Para, GroupId::Usb,
        GroupId::Layout, GroupId::PGBase, GroupId::Program, GroupId::VBM, GroupId::OptionPtn,
        GroupId::Group, GroupId::AutoDisp, GroupId::FilePath, GroupId::Common, GroupId::UserChar,
        GroupId::Process, GroupId::DDC, GroupId::CDC, GroupId::Cursol, GroupId::Graphic,
    };
    return order;
}

std::string sectionName(const char* key)
{
    return std::string(kRootKey) + "\\" + key;
}

void terminateTexts(const GroupSpec& group, uint8_t* record, size_t offset, size_t n)
{
    for (const ValueSpec& v : group.values) {
        if (v.kind != ValueKind::Text || v.offset + v.width <= offset || v.offset >= offset + n)
            continue;
        uint8_t* field = record + v.offset;
        size_t len = 0;
        while (len + 1 < v.width && field[len] != 0)
            ++len;
        std::memset(field + len, 0, v.width - len);
    }
}

int32_t mixMemKind(int32_t device, int32_t panelRom, int32_t memCard)
{
    (void)memCard;
    if (device == 1 && panelRom >= 0 && panelRom <= 3)
        return panelRom + 1;
    return 0;
}

} // namespace setstore
