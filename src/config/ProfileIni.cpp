#include "config/ProfileIni.h"

#include "config/TextEncoding.h"
#include "platform/DebugOutput.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace lumeno {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// One pair of matching quotes around a trimmed value is not part of it.
std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// "[name] anything" opens section "name"; "[name" without its bracket does not.
bool ParseHeader(std::string_view line, std::string_view& name)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return false;
    const size_t close = t.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "key=value"; a non-blank line without "=" is a key without a value.
bool ParseKey(std::string_view line, std::string_view& key, std::optional<std::string_view>& value)
{
    const size_t eq = line.find('=');
    key = Trim(line.substr(0, eq));
    if (eq == std::string_view::npos) {
        value.reset();
        return !key.empty();
    }
    value = Unquote(Trim(line.substr(eq + 1)));
    return true;
}

// A key line with a new value; the key keeps its stored spelling.
void SetValue(std::string& line, std::string_view value)
{
    line = std::string(Trim(std::string_view(line).substr(0, line.find('=')))).append("=").append(value);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A line break or a stray bracket or '=' would let one name or value rewrite
// the structure of the file; such names and values are refused.
bool IsWritableSection(std::string_view section)
{
    return !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool IsWritableKey(std::string_view key)
{
    return !HasLineBreak(key) && key.find('=') == std::string_view::npos && !Trim(key).starts_with('[');
}

// File times step by up to 2 s (FAT keeps modification times in 2 s steps)
// and are taken from the kernel's copy of the system clock, which lags it by
// up to one kernel tick (at most 10 ms; ten times that is allowed). A write
// later than both after a file's last change leaves the file with other times.
constexpr int64_t kFileTimeStepNs = 2'000'000'000;
constexpr int64_t kFileClockLagNs = 100'000'000;

// The system clock, in the unit of FileIdentity.
int64_t NowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

// Whether a write after readAtNs could leave the file with this identity.
bool IsRacy(const FileIdentity& identity, int64_t readAtNs)
{
    return std::max(identity.modifiedNs, identity.changedNs) >= readAtNs - kFileTimeStepNs - kFileClockLagNs;
}

} // namespace

struct ProfileIni::Document {
    struct Key {
        size_t line;
        std::optional<std::string> value; // none for a line without "="
    };
    struct Section {
        size_t header;                             // line of "[name]"
        size_t end;                                // one past its last line
        std::unordered_map<std::string, Key> keys; // lower-case key -> first occurrence
    };

    enum class Encoding { Utf8, Utf8Bom, Utf16LeBom };
    Encoding encoding = Encoding::Utf8;
    std::string eol = "\n";
    std::vector<std::string> lines;
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> firstSection; // lower-case name -> index

    static Document Parse(std::string_view bytes);
    std::string Serialize() const;
    void Reindex();
    const Section* Find(std::string_view section) const;
    const Key* FindKey(std::string_view section, std::string_view key) const;
    void EraseSection(std::string_view section);
    void Put(std::string_view section, const std::vector<KeyValue>& keys);
};

ProfileIni::Document ProfileIni::Document::Parse(std::string_view bytes)
{
    Document doc;
    std::string text;
    if (bytes.starts_with(kUtf16LeBom)) {
        doc.encoding = Encoding::Utf16LeBom;
        text = Utf16LeToUtf8(bytes.substr(kUtf16LeBom.size()));
    } else if (bytes.starts_with(kUtf8Bom)) {
        doc.encoding = Encoding::Utf8Bom;
        text = bytes.substr(kUtf8Bom.size());
    } else {
        text = bytes;
    }

    size_t start = 0;
    bool eolChosen = false;
    // A line ends at CR LF, LF or a lone CR, as the Windows reader ends it;
    // the first line end found is the one the file is written back with.
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        size_t eolLength = last ? 0 : 1;
        if (!last && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            eolLength = 2;
        if (!last && !eolChosen) {
            doc.eol = text.substr(end, eolLength);
            eolChosen = true;
        }
        doc.lines.emplace_back(text.data() + start, end - start);
        start = end + eolLength;
    }
    doc.Reindex();
    return doc;
}

std::string ProfileIni::Document::Serialize() const
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += eol;
    }
    switch (encoding) {
    case Encoding::Utf8:
        return text;
    case Encoding::Utf8Bom:
        return std::string(kUtf8Bom).append(text);
    case Encoding::Utf16LeBom:
        return std::string(kUtf16LeBom).append(Utf8ToUtf16Le(text));
    }
    return text;
}

void ProfileIni::Document::Reindex()
{
    sections.clear();
    firstSection.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view name, key;
        std::optional<std::string_view> value;
        if (ParseHeader(lines[i], name)) {
            if (!sections.empty())
                sections.back().end = i;
            firstSection.try_emplace(Lower(name), sections.size());
            sections.push_back({i, lines.size(), {}});
        } else if (!sections.empty() && ParseKey(lines[i], key, value)) {
            sections.back().keys.try_emplace(Lower(key),
                                             Key{i, value ? std::optional<std::string>(*value) : std::nullopt});
        }
    }
}

const ProfileIni::Document::Section* ProfileIni::Document::Find(std::string_view section) const
{
    const auto it = firstSection.find(Lower(Trim(section)));
    return it == firstSection.end() ? nullptr : &sections[it->second];
}

const ProfileIni::Document::Key* ProfileIni::Document::FindKey(std::string_view section, std::string_view key) const
{
    const Section* s = Find(section);
    if (!s)
        return nullptr;
    const auto k = s->keys.find(Lower(Trim(key)));
    return k == s->keys.end() ? nullptr : &k->second;
}

void ProfileIni::Document::EraseSection(std::string_view section)
{
    if (const Section* s = Find(section)) {
        lines.erase(lines.begin() + std::ptrdiff_t(s->header), lines.begin() + std::ptrdiff_t(s->end));
        Reindex();
    }
}

// Each key as WriteString writes it, one after the other: the first key of
// that name in the first section of that name is replaced in place; a new key
// goes after the section's last non-blank line, so blank separators stay
// below it; a missing section is added at the end of the file. The index is
// left for Store to rebuild.
void ProfileIni::Document::Put(std::string_view section, const std::vector<KeyValue>& keys)
{
    const Section* s = Find(section);
    std::vector<std::string> added;
    std::unordered_map<std::string, size_t> addedAt; // lower-case key -> index in added
    for (const auto& [key, value] : keys) {
        std::string name = Lower(Trim(key));
        if (s) {
            if (const auto k = s->keys.find(name); k != s->keys.end()) {
                SetValue(lines[k->second.line], value);
                continue;
            }
        }
        if (const auto [it, isNew] = addedAt.try_emplace(std::move(name), added.size()); !isNew)
            SetValue(added[it->second], value);
        else
            added.push_back(std::string(key).append("=").append(value));
    }
    if (added.empty())
        return;
    size_t at = lines.size();
    if (s) {
        at = s->end;
        while (at > s->header + 1 && Trim(lines[at - 1]).empty())
            --at;
    } else {
        lines.push_back(std::string("[").append(Trim(section)).append("]"));
        ++at;
    }
    lines.insert(lines.begin() + std::ptrdiff_t(at), std::make_move_iterator(added.begin()),
                 std::make_move_iterator(added.end()));
}

ProfileIni::ProfileIni(FileStore& files, DebugOutput* debug) : files_(files), debug_(debug) {}
ProfileIni::~ProfileIni() = default;

std::shared_ptr<const ProfileIni::Document> ProfileIni::Load(const std::filesystem::path& file)
{
    FileIdentity id;
    switch (files_.Identify(file, id)) {
    case FileState::Missing:
        cache_.erase(file);
        return std::make_shared<const Document>();
    case FileState::Unreadable:
        return Refuse(file, files_.ReadFile(file, kMaxDataFileBytes).problem);
    case FileState::Present:
        break;
    }
    const auto it = cache_.find(file);
    const bool sameIdentity = it != cache_.end() && it->second.identity == id;
    if (sameIdentity && !it->second.racyBytes)
        return it->second.doc;

    // Taken before the bytes are read: a later write leaves the file with
    // times at or after this moment.
    const int64_t readAt = NowNs();
    FileRead read = files_.ReadFile(file, kMaxDataFileBytes);
    if (read.state == FileState::Missing) {
        cache_.erase(file);
        return std::make_shared<const Document>();
    }
    if (read.state != FileState::Present)
        return Refuse(file, read.problem);
    refused_.erase(file);
    std::optional<std::string> bytes = std::move(read.bytes);
    const bool racy = IsRacy(id, readAt);
    if (sameIdentity && *bytes == *it->second.racyBytes) {
        if (!racy)
            it->second.racyBytes.reset();
        return it->second.doc;
    }
    auto doc = std::make_shared<const Document>(Document::Parse(*bytes));
    cache_[file] = {doc, id, racy ? std::move(bytes) : std::nullopt};
    return doc;
}

std::shared_ptr<const ProfileIni::Document> ProfileIni::Refuse(const std::filesystem::path& file,
                                                               const std::string& problem)
{
    cache_.erase(file);
    auto [it, fresh] = refused_.try_emplace(file, problem);
    if ((fresh || it->second != problem) && debug_) {
        it->second = problem;
        debug_->Write("File " + file.string() + " not read, taken as missing: " + problem + "\n");
    }
    return nullptr;
}

bool ProfileIni::Store(const std::filesystem::path& file, const Document& doc)
{
    std::string bytes = doc.Serialize();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (files_.ReplaceAtomically(file, std::span<const uint8_t>(data, bytes.size())) != 0) {
        cache_.erase(file);
        return false;
    }
    auto stored = std::make_shared<Document>(doc);
    stored->Reindex();
    // Written just now, so racy until a read after one tick finds these bytes.
    if (FileIdentity id; files_.Identify(file, id) == FileState::Present)
        cache_[file] = {std::move(stored), id, std::move(bytes)};
    else
        cache_.erase(file);
    return true;
}

std::string ProfileIni::ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                                   std::string_view defaultValue, size_t bufferChars)
{
    if (bufferChars == 0)
        return {};
    std::string_view value = defaultValue;
    while (!value.empty() && IsBlank(value.back()))
        value.remove_suffix(1);

    if (const auto doc = Load(file)) {
        if (const Document::Key* k = doc->FindKey(section, key); k && k->value)
            value = *k->value;
    }
    return std::string(CutToUtf16Units(value, bufferChars - 1));
}

bool ProfileIni::WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                             std::optional<std::string_view> value)
{
    if (!IsWritableSection(section) || !IsWritableKey(key) || (value && HasLineBreak(*value)))
        return false;

    const auto loaded = Load(file);
    if (!loaded)
        return false;
    Document doc = *loaded;
    if (value)
        doc.Put(section, {{std::string(key), std::string(*value)}});
    else if (const Document::Key* k = doc.FindKey(section, key))
        doc.lines.erase(doc.lines.begin() + std::ptrdiff_t(k->line));
    else
        return true; // nothing to delete
    return Store(file, doc);
}

bool ProfileIni::DeleteSection(const std::filesystem::path& file, std::string_view section)
{
    const auto loaded = Load(file);
    if (!loaded)
        return false;
    const Document::Section* s = loaded->Find(section);
    if (!s)
        return true;
    Document doc = *loaded;
    doc.lines.erase(doc.lines.begin() + std::ptrdiff_t(s->header), doc.lines.begin() + std::ptrdiff_t(s->end));
    return Store(file, doc);
}

bool ProfileIni::ReplaceSection(const std::filesystem::path& file, std::string_view section,
                                const std::vector<KeyValue>& keys)
{
    if (!IsWritableSection(section))
        return false;
    const auto loaded = Load(file);
    if (!loaded)
        return false;
    Document doc = *loaded;
    doc.EraseSection(section);
    std::vector<KeyValue> writable;
    for (const auto& kv : keys)
        if (IsWritableKey(kv.first) && !HasLineBreak(kv.second))
            writable.push_back(kv);
    doc.Put(section, writable);
    return Store(file, doc);
}

int ParseLeadingInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 1LL + INT_MAX)
            magnitude = 1LL + INT_MAX; // saturate; the digits go on being consumed
    }
    const long long v = negative ? -magnitude : magnitude;
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace lumeno
