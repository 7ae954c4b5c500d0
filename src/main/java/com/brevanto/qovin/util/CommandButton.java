package com.brevanto.qovin.util;

/**
 * A joystick-button action of the simulator, for {@link Keys#pressButton(CommandButton)} and {@link Keys#releaseButton(CommandButton)}. Each constant's ordinal is the simulator's code
 * ({@code xplm_joy_...}), so the order must not change.
 */
public enum CommandButton {
    /** xplm_joy_nothing (0). */
    NOTHING,
    /** xplm_joy_start_all (1). */
    START_ALL,
    /** xplm_joy_start_0 (2). */
    START_0,
    /** xplm_joy_start_1 (3). */
    START_1,
    /** xplm_joy_start_2 (4). */
    START_2,
    /** xplm_joy_start_3 (5). */
    START_3,
    /** xplm_joy_start_4 (6). */
    START_4,
    /** xplm_joy_start_5 (7). */
    START_5,
    /** xplm_joy_start_6 (8). */
    START_6,
    /** xplm_joy_start_7 (9). */
    START_7,
    /** xplm_joy_throt_up (10). */
    THROT_UP,
    /** xplm_joy_throt_dn (11). */
    THROT_DN,
    /** xplm_joy_prop_up (12). */
    PROP_UP,
    /** xplm_joy_prop_dn (13). */
    PROP_DN,
    /** xplm_joy_mixt_up (14). */
    MIXT_UP,
    /** xplm_joy_mixt_dn (15). */
    MIXT_DN,
    /** xplm_joy_carb_tog (16). */
    CARB_TOG,
    /** xplm_joy_carb_on (17). */
    CARB_ON,
    /** xplm_joy_carb_off (18). */
    CARB_OFF,
    /** xplm_joy_trev (19). */
    TREV,
    /** xplm_joy_trm_up (20). */
    TRM_UP,
    /** xplm_joy_trm_dn (21). */
    TRM_DN,
    /** xplm_joy_rot_trm_up (22). */
    ROT_TRM_UP,
    /** xplm_joy_rot_trm_dn (23). */
    ROT_TRM_DN,
    /** xplm_joy_rud_lft (24). */
    RUD_LFT,
    /** xplm_joy_rud_cntr (25). */
    RUD_CNTR,
    /** xplm_joy_rud_rgt (26). */
    RUD_RGT,
    /** xplm_joy_ail_lft (27). */
    AIL_LFT,
    /** xplm_joy_ail_cntr (28). */
    AIL_CNTR,
    /** xplm_joy_ail_rgt (29). */
    AIL_RGT,
    /** xplm_joy_B_rud_lft (30). */
    B_RUD_LFT,
    /** xplm_joy_B_rud_rgt (31). */
    B_RUD_RGT,
    /** xplm_joy_look_up (32). */
    LOOK_UP,
    /** xplm_joy_look_dn (33). */
    LOOK_DN,
    /** xplm_joy_look_lft (34). */
    LOOK_LFT,
    /** xplm_joy_look_rgt (35). */
    LOOK_RGT,
    /** xplm_joy_glance_l (36). */
    GLANCE_L,
    /** xplm_joy_glance_r (37). */
    GLANCE_R,
    /** xplm_joy_v_fnh (38). */
    V_FNH,
    /** xplm_joy_v_fwh (39). */
    V_FWH,
    /** xplm_joy_v_tra (40). */
    V_TRA,
    /** xplm_joy_v_twr (41). */
    V_TWR,
    /** xplm_joy_v_run (42). */
    V_RUN,
    /** xplm_joy_v_cha (43). */
    V_CHA,
    /** xplm_joy_v_fr1 (44). */
    V_FR1,
    /** xplm_joy_v_fr2 (45). */
    V_FR2,
    /** xplm_joy_v_spo (46). */
    V_SPO,
    /** xplm_joy_flapsup (47). */
    FLAPSUP,
    /** xplm_joy_flapsdn (48). */
    FLAPSDN,
    /** xplm_joy_vctswpfwd (49). */
    VCTSWPFWD,
    /** xplm_joy_vctswpaft (50). */
    VCTSWPAFT,
    /** xplm_joy_gear_tog (51). */
    GEAR_TOG,
    /** xplm_joy_gear_up (52). */
    GEAR_UP,
    /** xplm_joy_gear_down (53). */
    GEAR_DOWN,
    /** xplm_joy_lft_brake (54). */
    LFT_BRAKE,
    /** xplm_joy_rgt_brake (55). */
    RGT_BRAKE,
    /** xplm_joy_brakesREG (56). */
    BRAKES_REG,
    /** xplm_joy_brakesMAX (57). */
    BRAKES_MAX,
    /** xplm_joy_speedbrake (58). */
    SPEEDBRAKE,
    /** xplm_joy_ott_dis (59). */
    OTT_DIS,
    /** xplm_joy_ott_atr (60). */
    OTT_ATR,
    /** xplm_joy_ott_asi (61). */
    OTT_ASI,
    /** xplm_joy_ott_hdg (62). */
    OTT_HDG,
    /** xplm_joy_ott_alt (63). */
    OTT_ALT,
    /** xplm_joy_ott_vvi (64). */
    OTT_VVI,
    /** xplm_joy_tim_start (65). */
    TIM_START,
    /** xplm_joy_tim_reset (66). */
    TIM_RESET,
    /** xplm_joy_ecam_up (67). */
    ECAM_UP,
    /** xplm_joy_ecam_dn (68). */
    ECAM_DN,
    /** xplm_joy_fadec (69). */
    FADEC,
    /** xplm_joy_yaw_damp (70). */
    YAW_DAMP,
    /** xplm_joy_art_stab (71). */
    ART_STAB,
    /** xplm_joy_chute (72). */
    CHUTE,
    /** xplm_joy_JATO (73). */
    JATO,
    /** xplm_joy_arrest (74). */
    ARREST,
    /** xplm_joy_jettison (75). */
    JETTISON,
    /** xplm_joy_fuel_dump (76). */
    FUEL_DUMP,
    /** xplm_joy_puffsmoke (77). */
    PUFFSMOKE,
    /** xplm_joy_prerotate (78). */
    PREROTATE,
    /** xplm_joy_UL_prerot (79). */
    UL_PREROT,
    /** xplm_joy_UL_collec (80). */
    UL_COLLEC,
    /** xplm_joy_TOGA (81). */
    TOGA,
    /** xplm_joy_shutdown (82). */
    SHUTDOWN,
    /** xplm_joy_con_atc (83). */
    CON_ATC,
    /** xplm_joy_fail_now (84). */
    FAIL_NOW,
    /** xplm_joy_pause (85). */
    PAUSE,
    /** xplm_joy_rock_up (86). */
    ROCK_UP,
    /** xplm_joy_rock_dn (87). */
    ROCK_DN,
    /** xplm_joy_rock_lft (88). */
    ROCK_LFT,
    /** xplm_joy_rock_rgt (89). */
    ROCK_RGT,
    /** xplm_joy_rock_for (90). */
    ROCK_FOR,
    /** xplm_joy_rock_aft (91). */
    ROCK_AFT,
    /** xplm_joy_idle_hilo (92). */
    IDLE_HILO,
    /** xplm_joy_lanlights (93). */
    LANLIGHTS;

    /**
     * The simulator's code of this button action.
     *
     * @return the code
     */
    public int code() {
        return ordinal();
    }
}
