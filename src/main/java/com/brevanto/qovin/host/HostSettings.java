package com.brevanto.qovin.host;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.HashMap;
import java.util.Locale;
import java.util.Map;

/** qovin.ini: "key = value" lines, '#' starts a comment; a missing file gives the defaults. */
final class HostSettings {
    private final Map<String, String> values = new HashMap<>();

    static HostSettings read(Path file) {
        HostSettings settings = new HostSettings();
        try {
            for (String line : Files.readAllLines(file, StandardCharsets.UTF_8)) {
                int hash = line.indexOf('#');
                String text = hash < 0 ? line : line.substring(0, hash);
                int equals = text.indexOf('=');
                if (equals > 0) {
                    settings.values.put(text.substring(0, equals).trim(), text.substring(equals + 1).trim());
                }
            }
        } catch (IOException missing) {
            // the defaults
        }
        return settings;
    }

    String get(String key, String fallback) {
        String value = values.get(key);
        return value == null || value.isEmpty() ? fallback : value;
    }

    boolean flag(String key, boolean fallback) {
        String value = get(key, "").toLowerCase(Locale.ROOT);
        return value.isEmpty() ? fallback : value.equals("yes") || value.equals("true") || value.equals("on")
                || value.equals("1");
    }

    int number(String key, int fallback) {
        try {
            return Integer.parseInt(get(key, Integer.toString(fallback)));
        } catch (NumberFormatException e) {
            return fallback;
        }
    }
}
