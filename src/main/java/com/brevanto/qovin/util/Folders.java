package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.Objects;

/** The simulator's folders and paths as the simulator gives them. */
public final class Folders {
    private Folders() {
    }

    /** A path cut at its last separator. */
    public record FileAndPath(String folder, String file) {
        /**
         * The parts of a path.
         *
         * @param folder everything before the last separator
         * @param file everything after it (empty for a path that ends in one, or has none)
         */
        public FileAndPath {
            Objects.requireNonNull(folder, "folder");
            Objects.requireNonNull(file, "file");
        }
    }

    /**
     * The simulator's root folder, ending in the separator.
     *
     * @return the absolute path of the root folder
     */
    public static String systemPath() {
        HostThread.check();
        return systemPathN();
    }

    /**
     * A file in the simulator's preferences folder (cut its name off with
     * {@link #split(String)} to get the folder).
     *
     * @return the absolute path of the file
     */
    public static String prefsPath() {
        HostThread.check();
        return prefsPathN();
    }

    /**
     * The separator between a path's folders.
     *
     * @return the separator, such as "/"
     */
    public static String separator() {
        HostThread.check();
        return separatorN();
    }

    /**
     * Cuts {@code path} at its last separator, as the simulator does.
     *
     * @param path a path
     * @return the folder and the file name
     */
    public static FileAndPath split(String path) {
        HostThread.check();
        Objects.requireNonNull(path, "path");
        String[] parts = extractFileAndPathN(path);
        return new FileAndPath(parts[0], parts[1]);
    }

    /**
     * The names in {@code folder} (files and folders, without "." and ".."),
     * however many there are: the list is read from the simulator page by page.
     *
     * @param folder the folder's path, without a trailing separator
     * @return the names; empty if the folder cannot be read
     */
    public static List<String> contents(String folder) {
        HostThread.check();
        Objects.requireNonNull(folder, "folder");
        String[] names = directoryContentsN(folder);
        return names == null ? List.of() : Collections.unmodifiableList(Arrays.asList(names));
    }

    static native String systemPathN();

    static native String prefsPathN();

    static native String separatorN();

    static native String[] extractFileAndPathN(String path);

    static native String[] directoryContentsN(String folder);
}
