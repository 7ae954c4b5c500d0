package com.brevanto.qovin.util;

/**
 * The language the simulator runs in. A language here does not mean the simulator has a translation into it. Each constant's ordinal is the simulator's code.
 */
public enum Language {
    /** {@code xplm_Language_Unknown} (0). */
    UNKNOWN,
    /** {@code xplm_Language_English} (1). */
    ENGLISH,
    /** {@code xplm_Language_French} (2). */
    FRENCH,
    /** {@code xplm_Language_German} (3). */
    GERMAN,
    /** {@code xplm_Language_Italian} (4). */
    ITALIAN,
    /** {@code xplm_Language_Spanish} (5). */
    SPANISH,
    /** {@code xplm_Language_Korean} (6). */
    KOREAN,
    /** {@code xplm_Language_Russian} (7). */
    RUSSIAN,
    /** {@code xplm_Language_Greek} (8). */
    GREEK,
    /** {@code xplm_Language_Japanese} (9). */
    JAPANESE,
    /** {@code xplm_Language_Chinese} (10). */
    CHINESE;

    /**
     * The constant of the simulator's {@code code}.
     *
     * @param code the simulator's code
     * @return the constant, {@link #UNKNOWN} for a code not listed
     */
    public static Language of(int code) {
        Language[] all = values();
        return code >= 0 && code < all.length ? all[code] : UNKNOWN;
    }
}
