package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
import java.util.Objects;

/**
 * The simulator itself: its versions and language, speech, data files
 * (situations and replays) and reloading the scenery.
 */
public final class Simulator {
    private Simulator() {
    }

    /**
     * The versions of the simulator and its plugin interface.
     *
     * @param xplane the simulator's version as a whole number (12100: 12.10)
     * @param xplm the plugin interface's version (300: 3.0.0)
     * @param host the application the plugin runs in
     */
    public record Versions(int xplane, int xplm, HostApplication host) {
    }

    /**
     * Whether the plugin system is up (always, for a running plugin).
     *
     * @return true once the plugin system is up
     */
    public static boolean isInitialized() {
        HostThread.check();
        return initializedN();
    }

    /**
     * The versions of the simulator and its plugin interface.
     *
     * @return the versions
     */
    public static Versions versions() {
        HostThread.check();
        int[] numbers = versionsN();
        return new Versions(numbers[0], numbers[1], HostApplication.of(numbers[2]));
    }

    /**
     * The language the simulator runs in.
     *
     * @return the language, {@link Language#UNKNOWN} for one not listed
     */
    public static Language language() {
        HostThread.check();
        return Language.of(languageN());
    }

    /**
     * Shows {@code text} on the screen and speaks it if the user turned speech
     * on; returns at once.
     *
     * @param text what to say
     */
    public static void speak(String text) {
        HostThread.check();
        Objects.requireNonNull(text, "text");
        speakN(text);
    }

    /** Reloads the scenery around the aircraft from disk; plugins get the scenery-loaded message. */
    public static void reloadScenery() {
        HostThread.check();
        reloadSceneryN();
    }

    /**
     * Loads a situation or replay file.
     *
     * @param type the kind of file
     * @param path the file's path, relative to the simulator's root folder
     * @return whether the simulator loaded it
     */
    public static boolean loadDataFile(DataFileType type, String path) {
        HostThread.check();
        Objects.requireNonNull(path, "path");
        return loadDataFileN(type.code(), path);
    }

    /** Clears the replay the simulator holds. */
    public static void clearReplay() {
        HostThread.check();
        loadDataFileN(DataFileType.REPLAY_MOVIE.code(), null);
    }

    /**
     * Saves the situation or the replay.
     *
     * @param type the kind of file
     * @param path the file's path, relative to the simulator's root folder
     * @return whether the simulator saved it
     */
    public static boolean saveDataFile(DataFileType type, String path) {
        HostThread.check();
        Objects.requireNonNull(path, "path");
        return saveDataFileN(type.code(), path);
    }

    static native boolean initializedN();

    static native int[] versionsN();

    static native int languageN();

    static native void speakN(String text);

    static native void reloadSceneryN();

    static native boolean loadDataFileN(int type, String path);

    static native boolean saveDataFileN(int type, String path);
}
