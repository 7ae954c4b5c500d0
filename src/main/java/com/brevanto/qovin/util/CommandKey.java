package com.brevanto.qovin.util;

/**
 * A key function of the simulator, by meaning, for {@link Keys#commandKeyStroke(CommandKey)}: it is immune to the user's key mapping. Each constant's ordinal is the simulator's code
 * ({@code xplm_key_...}), so the order must not change.
 */
public enum CommandKey {
    /** xplm_key_pause (0). */
    PAUSE,
    /** xplm_key_revthrust (1). */
    REVTHRUST,
    /** xplm_key_jettison (2). */
    JETTISON,
    /** xplm_key_brakesreg (3). */
    BRAKESREG,
    /** xplm_key_brakesmax (4). */
    BRAKESMAX,
    /** xplm_key_gear (5). */
    GEAR,
    /** xplm_key_timedn (6). */
    TIMEDN,
    /** xplm_key_timeup (7). */
    TIMEUP,
    /** xplm_key_fadec (8). */
    FADEC,
    /** xplm_key_otto_dis (9). */
    OTTO_DIS,
    /** xplm_key_otto_atr (10). */
    OTTO_ATR,
    /** xplm_key_otto_asi (11). */
    OTTO_ASI,
    /** xplm_key_otto_hdg (12). */
    OTTO_HDG,
    /** xplm_key_otto_gps (13). */
    OTTO_GPS,
    /** xplm_key_otto_lev (14). */
    OTTO_LEV,
    /** xplm_key_otto_hnav (15). */
    OTTO_HNAV,
    /** xplm_key_otto_alt (16). */
    OTTO_ALT,
    /** xplm_key_otto_vvi (17). */
    OTTO_VVI,
    /** xplm_key_otto_vnav (18). */
    OTTO_VNAV,
    /** xplm_key_otto_nav1 (19). */
    OTTO_NAV1,
    /** xplm_key_otto_nav2 (20). */
    OTTO_NAV2,
    /** xplm_key_targ_dn (21). */
    TARG_DN,
    /** xplm_key_targ_up (22). */
    TARG_UP,
    /** xplm_key_hdgdn (23). */
    HDGDN,
    /** xplm_key_hdgup (24). */
    HDGUP,
    /** xplm_key_barodn (25). */
    BARODN,
    /** xplm_key_baroup (26). */
    BAROUP,
    /** xplm_key_obs1dn (27). */
    OBS1DN,
    /** xplm_key_obs1up (28). */
    OBS1UP,
    /** xplm_key_obs2dn (29). */
    OBS2DN,
    /** xplm_key_obs2up (30). */
    OBS2UP,
    /** xplm_key_com1_1 (31). */
    COM1_1,
    /** xplm_key_com1_2 (32). */
    COM1_2,
    /** xplm_key_com1_3 (33). */
    COM1_3,
    /** xplm_key_com1_4 (34). */
    COM1_4,
    /** xplm_key_nav1_1 (35). */
    NAV1_1,
    /** xplm_key_nav1_2 (36). */
    NAV1_2,
    /** xplm_key_nav1_3 (37). */
    NAV1_3,
    /** xplm_key_nav1_4 (38). */
    NAV1_4,
    /** xplm_key_com2_1 (39). */
    COM2_1,
    /** xplm_key_com2_2 (40). */
    COM2_2,
    /** xplm_key_com2_3 (41). */
    COM2_3,
    /** xplm_key_com2_4 (42). */
    COM2_4,
    /** xplm_key_nav2_1 (43). */
    NAV2_1,
    /** xplm_key_nav2_2 (44). */
    NAV2_2,
    /** xplm_key_nav2_3 (45). */
    NAV2_3,
    /** xplm_key_nav2_4 (46). */
    NAV2_4,
    /** xplm_key_adf_1 (47). */
    ADF_1,
    /** xplm_key_adf_2 (48). */
    ADF_2,
    /** xplm_key_adf_3 (49). */
    ADF_3,
    /** xplm_key_adf_4 (50). */
    ADF_4,
    /** xplm_key_adf_5 (51). */
    ADF_5,
    /** xplm_key_adf_6 (52). */
    ADF_6,
    /** xplm_key_transpon_1 (53). */
    TRANSPON_1,
    /** xplm_key_transpon_2 (54). */
    TRANSPON_2,
    /** xplm_key_transpon_3 (55). */
    TRANSPON_3,
    /** xplm_key_transpon_4 (56). */
    TRANSPON_4,
    /** xplm_key_transpon_5 (57). */
    TRANSPON_5,
    /** xplm_key_transpon_6 (58). */
    TRANSPON_6,
    /** xplm_key_transpon_7 (59). */
    TRANSPON_7,
    /** xplm_key_transpon_8 (60). */
    TRANSPON_8,
    /** xplm_key_flapsup (61). */
    FLAPSUP,
    /** xplm_key_flapsdn (62). */
    FLAPSDN,
    /** xplm_key_cheatoff (63). */
    CHEATOFF,
    /** xplm_key_cheaton (64). */
    CHEATON,
    /** xplm_key_sbrkoff (65). */
    SBRKOFF,
    /** xplm_key_sbrkon (66). */
    SBRKON,
    /** xplm_key_ailtrimL (67). */
    AILTRIM_L,
    /** xplm_key_ailtrimR (68). */
    AILTRIM_R,
    /** xplm_key_rudtrimL (69). */
    RUDTRIM_L,
    /** xplm_key_rudtrimR (70). */
    RUDTRIM_R,
    /** xplm_key_elvtrimD (71). */
    ELVTRIM_D,
    /** xplm_key_elvtrimU (72). */
    ELVTRIM_U,
    /** xplm_key_forward (73). */
    FORWARD,
    /** xplm_key_down (74). */
    DOWN,
    /** xplm_key_left (75). */
    LEFT,
    /** xplm_key_right (76). */
    RIGHT,
    /** xplm_key_back (77). */
    BACK,
    /** xplm_key_tower (78). */
    TOWER,
    /** xplm_key_runway (79). */
    RUNWAY,
    /** xplm_key_chase (80). */
    CHASE,
    /** xplm_key_free1 (81). */
    FREE1,
    /** xplm_key_free2 (82). */
    FREE2,
    /** xplm_key_spot (83). */
    SPOT,
    /** xplm_key_fullscrn1 (84). */
    FULLSCRN1,
    /** xplm_key_fullscrn2 (85). */
    FULLSCRN2,
    /** xplm_key_tanspan (86). */
    TANSPAN,
    /** xplm_key_smoke (87). */
    SMOKE,
    /** xplm_key_map (88). */
    MAP,
    /** xplm_key_zoomin (89). */
    ZOOMIN,
    /** xplm_key_zoomout (90). */
    ZOOMOUT,
    /** xplm_key_cycledump (91). */
    CYCLEDUMP,
    /** xplm_key_replay (92). */
    REPLAY,
    /** xplm_key_tranID (93). */
    TRAN_ID;

    /**
     * The simulator's code of this key function.
     *
     * @return the code
     */
    public int code() {
        return ordinal();
    }
}
