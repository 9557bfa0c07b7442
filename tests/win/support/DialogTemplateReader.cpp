#include "DialogTemplateReader.h"

#include <cstring>

namespace DialogTemplateReader {
namespace {

class Cursor {
public:
    Cursor(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Get() {
        T value{};
        if (m_pos + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    std::wstring String() {
        std::wstring text;
        for (WCHAR c = Get<WCHAR>(); m_ok && c; c = Get<WCHAR>()) text += c;
        return text;
    }

    // A name or an ordinal; the predefined control classes' ordinals come back as their names.
    std::wstring NameOrOrdinal() {
        const WORD first = Get<WORD>();
        if (first == 0) return L"";
        if (first == 0xFFFF) {
            static const wchar_t* const kClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar",
                                                      L"ComboBox"};
            const WORD ordinal = Get<WORD>();
            if (ordinal >= 0x80 && ordinal < 0x86) return kClasses[ordinal - 0x80];
            return L"#" + std::to_wstring(ordinal);
        }
        m_pos -= sizeof(WORD);
        return String();
    }

    void AlignToDword() { m_pos = (m_pos + 3) & ~size_t{3}; }
    void Skip(size_t bytes) {
        if (m_pos + bytes > m_size) m_ok = false;
        m_pos += bytes;
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace

bool Read(HMODULE module, UINT id, Template& out) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return false;
    Cursor in(data, SizeofResource(module, info));

    if (in.Get<WORD>() != 1 || in.Get<WORD>() != 0xFFFF) return false;
    in.Get<DWORD>();  // help id
    out.exStyle = in.Get<DWORD>();
    out.style = in.Get<DWORD>();
    const WORD count = in.Get<WORD>();
    out.x = in.Get<short>();
    out.y = in.Get<short>();
    out.cx = in.Get<short>();
    out.cy = in.Get<short>();
    in.NameOrOrdinal();  // menu
    in.NameOrOrdinal();  // window class
    out.title = in.String();
    if (out.style & DS_SETFONT) {
        out.pointSize = in.Get<WORD>();
        in.Skip(4);  // weight, italic, character set
        out.typeface = in.String();
    }
    out.items.clear();
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignToDword();
        Item item;
        in.Get<DWORD>();  // help id
        item.exStyle = in.Get<DWORD>();
        item.style = in.Get<DWORD>();
        item.x = in.Get<short>();
        item.y = in.Get<short>();
        item.cx = in.Get<short>();
        item.cy = in.Get<short>();
        item.id = in.Get<DWORD>();
        item.className = in.NameOrOrdinal();
        item.text = in.NameOrOrdinal();
        in.Skip(in.Get<WORD>());  // creation data
        out.items.push_back(item);
    }
    return in.ok();
}

}  // namespace DialogTemplateReader
