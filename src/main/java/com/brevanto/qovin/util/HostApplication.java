package com.brevanto.qovin.util;

/**
 * The application the plugin runs in. Each constant's ordinal is the simulator's code.
 */
public enum HostApplication {
    /** {@code xplm_Host_Unknown} (0). */
    UNKNOWN,
    /** {@code xplm_Host_XPlane} (1). */
    XPLANE,
    /** {@code xplm_Host_PlaneMaker} (2). */
    PLANE_MAKER,
    /** {@code xplm_Host_WorldMaker} (3). */
    WORLD_MAKER,
    /** {@code xplm_Host_Briefer} (4). */
    BRIEFER,
    /** {@code xplm_Host_PartMaker} (5). */
    PART_MAKER,
    /** {@code xplm_Host_YoungsMod} (6). */
    YOUNGS_MOD,
    /** {@code xplm_Host_XAuto} (7). */
    XAUTO;

    /**
     * The constant of the simulator's {@code code}.
     *
     * @param code the simulator's code
     * @return the constant, {@link #UNKNOWN} for a code not listed
     */
    public static HostApplication of(int code) {
        HostApplication[] all = values();
        return code >= 0 && code < all.length ? all[code] : UNKNOWN;
    }
}
