#include "platform/linux/GSettingsPointerSink.h"

#include <gio/gio.h>

namespace lumeno {

namespace {

// The keys of the schema, one per setting it takes.
constexpr char kAccelProfileKey[] = "accel-profile";
constexpr char kSpeedKey[] = "speed";
constexpr char kDoubleClickKey[] = "double-click";

// Writes one key after checking the value against the schema's range, so
// an out-of-range value is refused instead of tripping GLib's checks.
PointerSinkResult Write(GSettings* settings, GSettingsSchema* schema, const char* key, GVariant* value)
{
    g_variant_ref_sink(value);
    GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema, key);
    const bool inRange = g_settings_schema_key_range_check(schemaKey, value);
    g_settings_schema_key_unref(schemaKey);
    const bool written = inRange && g_settings_set_value(settings, key, value);
    gchar* shown = g_variant_print(value, FALSE);
    const std::string text = shown;
    g_free(shown);
    g_variant_unref(value);
    if (!inRange)
        return PointerSinkResult::Refused(std::string("value ") + text + " is outside the range of \"" + key + "\"");
    if (!written)
        return PointerSinkResult::Refused(std::string("key \"") + key + "\" is not writable");
    g_settings_sync();
    return PointerSinkResult::Ok();
}

} // namespace

GSettingsPointerSink::GSettingsPointerSink(const std::string& schemaDirectory)
{
    GSettingsSchemaSource* source = nullptr;
    if (schemaDirectory.empty()) {
        source = g_settings_schema_source_get_default();
        if (source)
            g_settings_schema_source_ref(source);
    } else {
        GError* error = nullptr;
        source = g_settings_schema_source_new_from_directory(schemaDirectory.c_str(), nullptr, TRUE, &error);
        if (error) {
            missing_ = std::string("schema folder unreadable: ") + error->message;
            g_error_free(error);
        }
    }
    if (source) {
        schema_ = g_settings_schema_source_lookup(source, kGnomeMouseSchema, TRUE);
        g_settings_schema_source_unref(source);
    }
    if (!schema_) {
        if (missing_.empty())
            missing_ = std::string("schema ") + kGnomeMouseSchema + " is not installed";
        return;
    }
    for (const char* key : {kAccelProfileKey, kSpeedKey, kDoubleClickKey}) {
        if (!g_settings_schema_has_key(schema_, key)) {
            missing_ = std::string("schema ") + kGnomeMouseSchema + " has no key \"" + key + "\"";
            return;
        }
    }
    settings_ = g_settings_new_full(schema_, nullptr, nullptr);
    if (!settings_)
        missing_ = "GSettings could not be opened";
}

GSettingsPointerSink::~GSettingsPointerSink()
{
    if (settings_)
        g_object_unref(settings_);
    if (schema_)
        g_settings_schema_unref(schema_);
}

bool GSettingsPointerSink::SchemaInstalled()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kGnomeMouseSchema, TRUE);
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

PointerSinkResult GSettingsPointerSink::Unusable() const { return PointerSinkResult::Refused(missing_); }

PointerSinkResult GSettingsPointerSink::SetPrecision(bool on)
{
    if (!settings_)
        return Unusable();
    const std::string profile(DesktopAccelProfile(on));
    return Write(settings_, schema_, kAccelProfileKey, g_variant_new_string(profile.c_str()));
}

PointerSinkResult GSettingsPointerSink::SetSpeed(int speed)
{
    if (!settings_)
        return Unusable();
    return Write(settings_, schema_, kSpeedKey, g_variant_new_double(DesktopSpeed(speed)));
}

PointerSinkResult GSettingsPointerSink::SetWheelLines(int)
{
    if (!settings_)
        return Unusable();
    return PointerSinkResult::Refused("GNOME has no setting for the lines a wheel notch scrolls");
}

PointerSinkResult GSettingsPointerSink::SetDoubleClickTime(int milliseconds)
{
    if (!settings_)
        return Unusable();
    return Write(settings_, schema_, kDoubleClickKey, g_variant_new_int32(milliseconds));
}

} // namespace lumeno
