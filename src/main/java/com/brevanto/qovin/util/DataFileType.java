package com.brevanto.qovin.util;

/** The kinds of file {@link Simulator#loadDataFile} and {@link Simulator#saveDataFile} handle. */
public enum DataFileType {
    /** A situation (.sit): a saved start state. */
    SITUATION(1),
    /** A replay movie (.smo): a recorded flight. */
    REPLAY_MOVIE(2);

    private final int code;

    DataFileType(int code) {
        this.code = code;
    }

    /**
     * The simulator's code of this kind ({@code xplm_DataFile_...}).
     *
     * @return the code
     */
    public int code() {
        return code;
    }
}
