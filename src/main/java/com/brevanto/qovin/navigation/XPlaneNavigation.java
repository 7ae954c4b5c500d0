package com.brevanto.qovin.navigation;

import com.brevanto.qovin.HostThread;
/**
 * The simulator's navaid database, FMS flight plan and GPS destination.
 *
 * <p>Every navaid query answers an {@link XPlaneNavRef} holding all of the
 * navaid's information; a query that finds nothing answers one whose
 * {@link XPlaneNavRef#isFound()} is false, never null. Walk the whole database
 * with {@link #getFirstNavAid()} and {@link #getNextNavAid(QOVINNavRef)} until
 * nothing is found: handles are sparse, so never count them up yourself.
 */
public class XPlaneNavigation {
    /** Navaid types: bits, which searches accept OR-ed together. */
    public static final int TYPE_UNKNOWN = 0;
    /** An airport. */
    public static final int TYPE_AIRPORT = 1;
    /** An NDB. */
    public static final int TYPE_NDB = 2;
    /** A VOR. */
    public static final int TYPE_VOR = 4;
    /** An ILS. */
    public static final int TYPE_ILS = 8;
    /** A localizer. */
    public static final int TYPE_LOCALIZER = 16;
    /** A glide slope. */
    public static final int TYPE_GLIDESLOPE = 32;
    /** An outer marker. */
    public static final int TYPE_OUTER_MARKER = 64;
    /** A middle marker. */
    public static final int TYPE_MIDDLE_MARKER = 128;
    /** An inner marker. */
    public static final int TYPE_INNER_MARKER = 256;
    /** A fix. */
    public static final int TYPE_FIX = 512;
    /** A DME. */
    public static final int TYPE_DME = 1024;
    /** An FMS entry given by latitude and longitude; never in the database. */
    public static final int TYPE_LAT_LON = 2048;
    /** Every type the database holds. */
    public static final int TYPE_ANY = 2047;

    /**
     * The first navaid of the database.
     *
     * @return the navaid
     */
    public native XPlaneNavRef getFirstNavAid();

    /**
     * The navaid after {@code previous} in the database.
     *
     * @param previous a navaid of the database
     * @return the next navaid, not found after the last
     */
    public XPlaneNavRef getNextNavAid(QOVINNavRef previous) {
        HostThread.check();
        return getNextNavAidN(previous.getRef());
    }

    /**
     * The first navaid of exactly this type.
     *
     * @param type one type
     * @return the navaid, not found if none
     */
    public XPlaneNavRef findFirstNavAidOfType(int type) {
        HostThread.check();
        return findFirstNavAidOfTypeN(type);
    }

    /**
     * The last navaid of exactly this type.
     *
     * @param type one type
     * @return the navaid, not found if none
     */
    public XPlaneNavRef findLastNavAidOfType(int type) {
        HostThread.check();
        return findLastNavAidOfTypeN(type);
    }

    /**
     * Searches the navaids of the types in {@code type} (bits OR-ed together).
     * Every other criterion may be null, meaning "any": the name and the ID
     * must contain the fragments given, the frequency must match (airports and
     * fixes have none and are not filtered by it). With a latitude and a
     * longitude the nearest match is found, otherwise the last one.
     *
     * @param nameFragment part of the name, or null
     * @param idFragment part of the ID, or null
     * @param latitude degrees, or null
     * @param longitude degrees, or null
     * @param frequency nav.dat units, or null
     * @param type the types searched
     * @return the navaid, not found if none matches
     */
    public native XPlaneNavRef findNavAid(String nameFragment, String idFragment, Float latitude, Float longitude,
            Integer frequency, int type);

    /**
     * The navaid of the types in {@code type} nearest to a position.
     *
     * @param type the types searched
     * @param latitude degrees
     * @param longitude degrees
     * @return the navaid, not found if none
     */
    public XPlaneNavRef findNearest(int type, float latitude, float longitude) {
        HostThread.check();
        return findNavAid(null, null, latitude, longitude, null, type);
    }

    /**
     * The handle of the navaid of the types in {@code type} nearest to a
     * position, without its information: the form for a flight loop, as it
     * allocates nothing. Compare it with the {@code getRef()} of the navaid
     * found last; {@link #findNearest} reads the information.
     *
     * @param type the types searched
     * @param latitude degrees
     * @param longitude degrees
     * @return the navaid's handle, {@link QOVINNavRef#NOT_FOUND} if none
     */
    public int findNearestRef(int type, float latitude, float longitude) {
        HostThread.check();
        return findNearestRefN(type, latitude, longitude);
    }

    /**
     * A navaid of the types in {@code type} on this frequency (nav.dat units).
     *
     * @param type the types searched
     * @param frequency nav.dat units (116.80 MHz is 11680)
     * @return the navaid, not found if none
     */
    public XPlaneNavRef findByFrequency(int type, int frequency) {
        HostThread.check();
        return findNavAid(null, null, null, null, frequency, type);
    }

    // --- FMS ---------------------------------------------------------------------

    /**
     * Entries of the flight plan, numbered from 0.
     *
     * @return the number of entries
     */
    public native int countFMSEntries();

    /**
     * The entry the FMS shows.
     *
     * @return its index
     */
    public native int getDisplayedFMSEntry();

    /**
     * The entry being flown to.
     *
     * @return its index
     */
    public native int getDestinationFMSEntry();

    /**
     * Makes the FMS show entry {@code index}.
     *
     * @param index the entry
     */
    public native void setDisplayedFMSEntry(int index);

    /**
     * Makes entry {@code index} the one being flown to.
     *
     * @param index the entry
     */
    public native void setDestinationFMSEntry(int index);

    /**
     * The entry {@code index}: its own ID, its navaid (null for a lat/lon entry), altitude and position.
     *
     * @param index the entry
     * @return the entry
     */
    public native QOVINFmsEntryInfo getFMSEntryInfo(int index);

    /**
     * Makes entry {@code index} the navaid (an airport, fix, VOR or NDB) at {@code altitude} feet.
     *
     * @param index the entry
     * @param navaid the navaid
     * @param altitude feet
     */
    public void setFMSEntryInfo(int index, QOVINNavRef navaid, int altitude) {
        HostThread.check();
        setFMSEntryInfoN(index, navaid.getRef(), altitude);
    }

    /**
     * Makes entry {@code index} a waypoint at a latitude and longitude, at {@code altitude} feet.
     *
     * @param index the entry
     * @param latitude degrees
     * @param longitude degrees
     * @param altitude feet
     */
    public native void setFMSEntryLatLon(int index, float latitude, float longitude, int altitude);

    /**
     * Removes entry {@code index}; the plan may get shorter.
     *
     * @param index the entry
     */
    public native void clearFMSEntry(int index);

    // --- GPS ---------------------------------------------------------------------

    /**
     * The type of the GPS destination: fix, airport, VOR or NDB.
     *
     * @return the type bit
     */
    public int getGPSDestinationType() {
        HostThread.check();
        return getGPSDestinationTypeN();
    }

    /**
     * The GPS destination; not found if there is none.
     *
     * @return the navaid
     */
    public native XPlaneNavRef getGPSDestination();

    native int findNearestRefN(int type, float latitude, float longitude);

    native XPlaneNavRef getNextNavAidN(int ref);

    native XPlaneNavRef findFirstNavAidOfTypeN(int type);

    native XPlaneNavRef findLastNavAidOfTypeN(int type);

    native void setFMSEntryInfoN(int index, int ref, int altitude);

    native int getGPSDestinationTypeN();
}
