#pragma once
#include "col/_array/ArrayP.h"
#include "thread/PooledBy.h"
#include "xml/Attributes.h"
#include "xml/IXml.h"

namespace s::xml {

// The document model's element. It reads the subset of XML its own writer
// produces, plus comments, and is meant for the settings file and the
// language pack, not for XML at large: no declaration, processing
// instruction, DOCTYPE or CDATA, double-quoted attributes only, and the end
// tag's name is not checked.
//
// Input may be hostile: the parser never reads past the end of the text,
// always moves forward, and stops descending at kMaxDepth levels (the rest of
// the text is then skipped), so neither its stack nor the tree's later
// walks can be driven without bound.
class Node : public IXml, public s::thread::PooledBy<Node> {
public:
    static constexpr int32_t kMaxDepth = 128;
    // Larger files are not settings files; they load as an empty document.
    static constexpr uint64_t kMaxFileBytes = 16u * 1024u * 1024u;

    Node();
    ~Node() override;

    const char16_t* className() const override { return u"s_xml_Node"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t childCount() const override { return m_children.count(); }
    void clear() override { reset(); }
    void debugWalk(int32_t indent) const override;

    size_t parse(std::u16string_view text, size_t from) override;
    size_t parse(std::u16string_view text) { return parse(text, 0); }
    size_t parseUtf8(const uint8_t* bytes, size_t count) override;

    const char16_t* name() const override { return m_name; }
    uint32_t nameLength() const override { return m_nameLength; }
    std::u16string_view nameView() const { return {m_name ? m_name : u"", m_nameLength}; }
    void setName(const char16_t* text, int32_t length = -1) override;
    bool nameEquals(const char16_t* text, int32_t length = -1) const override;
    bool isComment() const override { return m_nameLength > 0 && m_name[0] == u'!'; }

    Node* childAt(int32_t index) const override { return m_children.at(index); }
    Node* addChild(const char16_t* name, int32_t length = -1) override;
    void appendChild(IXml* node) override;
    void removeChild(int32_t index) override;
    bool findChild(const char16_t* name, int32_t* outIndex, int32_t length = -1) const override;
    Node* child(const char16_t* name, int32_t length = -1) const override;

    void setInt64(std::u16string_view name, int64_t value) override;
    void setUInt32(std::u16string_view name, uint32_t value) override;
    void setUInt16(std::u16string_view name, uint16_t value) override;
    void setUInt8(std::u16string_view name, uint8_t value) override;
    void setInt32(std::u16string_view name, int32_t value) override;
    void setInt16(std::u16string_view name, int16_t value) override;
    void setInt8(std::u16string_view name, int8_t value) override;
    void setFloat(std::u16string_view name, float value) override;
    void setDouble(std::u16string_view name, double value) override;
    void setString(std::u16string_view name, std::u16string_view value) override;
    void setInt64Array(std::u16string_view name, const int64_t* values, int32_t count) override;
    void setInt32Array(std::u16string_view name, const int32_t* values, int32_t count) override;
    void setUInt16Array(std::u16string_view name, const uint16_t* values, int32_t count) override;
    void setByteArray(std::u16string_view name, const uint8_t* bytes, int32_t count) override;
    void setWordPairArray(std::u16string_view name, const uint64_t* values, int32_t count) override;

    const char16_t* rawValue(std::u16string_view name, const char16_t* fallback) const override;
    bool getBool(std::u16string_view name, bool fallback) const override;
    int8_t getInt8(std::u16string_view name, int8_t fallback) const override;
    int16_t getInt16(std::u16string_view name, int16_t fallback) const override;
    int32_t getInt32(std::u16string_view name, int32_t fallback) const override;
    int64_t getInt64(std::u16string_view name, int64_t fallback) const override;
    uint8_t getUInt8(std::u16string_view name, uint8_t fallback) const override;
    uint16_t getUInt16(std::u16string_view name, uint16_t fallback) const override;
    uint32_t getUInt32(std::u16string_view name, uint32_t fallback) const override;
    bool getString(s::str::strbuffer::StrBuffer& out, std::u16string_view name, std::u16string_view fallback,
                   bool append = false) const override;

    s::str::strbuffer::StrBuffer* write(s::str::strbuffer::StrBuffer* out, bool append = false) const override;
    s::col::_array::ArrayU08* toUtf8(s::col::_array::ArrayU08* bytes, bool append = false) const override;

    Attributes& attributes() override { return m_attributes; }
    const Attributes& attributes() const override { return m_attributes; }

    bool loadFile(std::u16string_view pathText) override;
    bool load(s::file::win::PathWin& path) override;
    bool saveFile(std::u16string_view pathText) const override;
    // Writes a new file beside the old one and renames it over the old, so a
    // failed save leaves the previous document intact.
    bool save(s::file::win::PathWin& path) const override;

private:
    size_t parseElement(std::u16string_view text, size_t position, int32_t depth);
    size_t parseTextRun(std::u16string_view text, size_t position);
    void writeTo(std::u16string& out) const;
    // Appends an attribute whose value is made (formatted or escaped) in the
    // process-wide scratch string under its lock.
    template <class Format>
    void setFormatted(std::u16string_view name, Format format);
    // The first attribute's stored value; false when there is none.
    bool stored(std::u16string_view name, std::u16string_view* value) const;
    void freeName();

    s::col::_array::ArrayP<Node> m_children;  // owned through the node pool
    Attributes m_attributes;
    char16_t* m_name = nullptr;  // owned (std::malloc), NUL-terminated
    uint32_t m_nameLength = 0;
};

}  // namespace s::xml
