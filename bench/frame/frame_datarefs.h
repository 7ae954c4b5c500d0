// The simulator datarefs that the frame benchmark's two plugins read and
// write, in the same order as FrameDataRefs.java: flight loop l reads floats
// [8l, 8l + 8), ints [6l, 6l + 6), doubles [4l, 4l + 4), 8 elements of float
// array l and of int array l, and writes floats [2l, 2l + 2), int l and double l.
#ifndef QOVIN_BENCH_FRAME_DATAREFS_H
#define QOVIN_BENCH_FRAME_DATAREFS_H

namespace qovinframe {

constexpr int kLoops = 5;
constexpr int kFloatsPerLoop = 8;
constexpr int kIntsPerLoop = 6;
constexpr int kDoublesPerLoop = 4;
constexpr int kFloatWritesPerLoop = 2;
constexpr int kArrayElements = 8;

// Positions in the float reads that the plugins draw or publish.
constexpr int kSlip = 0;
constexpr int kHeading = 2;
constexpr int kAirspeed = 5;
constexpr int kAltitude = 11;
constexpr int kVerticalSpeed = 14;
constexpr int kTrueAirspeed = 17;
constexpr int kGroundSpeed = 19;
constexpr int kPitch = 22;
constexpr int kRoll = 23;
// Position in the double reads.
constexpr int kLatitude = 3;

inline constexpr const char* kFloatReads[] = {
    "sim/cockpit2/gauges/indicators/slip_deg",
    "sim/cockpit2/gauges/indicators/slip_deg_copilot",
    "sim/cockpit2/gauges/indicators/compass_heading_deg_mag",
    "sim/cockpit2/gauges/indicators/airspeed_acceleration_kts_sec_pilot",
    "sim/cockpit2/gauges/indicators/airspeed_acceleration_kts_sec_copilot",
    "sim/cockpit2/gauges/indicators/airspeed_kts_pilot",
    "sim/cockpit2/gauges/indicators/airspeed_kts_copilot",
    "sim/cockpit2/gauges/indicators/airspeed_kts_stby",
    "sim/cockpit2/gauges/indicators/calibrated_airspeed_kts_pilot",
    "sim/cockpit2/gauges/indicators/calibrated_airspeed_kts_copilot",
    "sim/cockpit2/gauges/indicators/calibrated_airspeed_kts_stby",
    "sim/cockpit2/gauges/indicators/altitude_ft_pilot",
    "sim/cockpit2/gauges/indicators/altitude_ft_copilot",
    "sim/cockpit2/gauges/indicators/altitude_ft_stby",
    "sim/cockpit2/gauges/indicators/vvi_fpm_pilot",
    "sim/cockpit2/gauges/indicators/vvi_fpm_copilot",
    "sim/cockpit2/gauges/indicators/turn_rate_roll_deg_pilot",
    "sim/cockpit2/gauges/indicators/true_airspeed_kts_pilot",
    "sim/cockpit2/gauges/indicators/true_airspeed_kts_copilot",
    "sim/cockpit2/gauges/indicators/ground_speed_kt",
    "sim/flightmodel/position/lat_ref",
    "sim/flightmodel/position/lon_ref",
    "sim/flightmodel/position/theta",
    "sim/flightmodel/position/phi",
    "sim/flightmodel/position/psi",
    "sim/flightmodel/position/magpsi",
    "sim/flightmodel/position/true_theta",
    "sim/flightmodel/position/true_phi",
    "sim/flightmodel/position/true_psi",
    "sim/flightmodel/position/mag_psi",
    "sim/flightmodel/position/local_vx",
    "sim/flightmodel/position/local_vy",
    "sim/flightmodel/position/local_vz",
    "sim/flightmodel/position/local_ax",
    "sim/flightmodel/position/local_ay",
    "sim/flightmodel/position/local_az",
    "sim/flightmodel/position/alpha",
    "sim/flightmodel/position/beta",
    "sim/flightmodel/position/vpath",
    "sim/flightmodel/position/hpath",
};

inline constexpr const char* kIntReads[] = {
    "sim/cockpit2/autopilot/autopilot2_avail",
    "sim/cockpit2/autopilot/master_flight_director",
    "sim/cockpit2/autopilot/flight_director_command_bars_pilot",
    "sim/cockpit2/autopilot/flight_director_command_bars_copilot",
    "sim/cockpit2/autopilot/flight_director_master_pilot",
    "sim/cockpit2/autopilot/flight_director_master_copilot",
    "sim/cockpit2/autopilot/autopilot_electric_master",
    "sim/cockpit2/autopilot/autopilot_source",
    "sim/cockpit2/autopilot/autothrottle_enabled",
    "sim/cockpit2/autopilot/autothrottle_on",
    "sim/cockpit2/autopilot/autothrottle_arm",
    "sim/cockpit2/autopilot/electric_trim_on",
    "sim/cockpit2/autopilot/pitch_mistrim",
    "sim/cockpit2/autopilot/otto_fail_warn",
    "sim/cockpit2/autopilot/otto_ready",
    "sim/cockpit2/autopilot/downgrade",
    "sim/cockpit2/autopilot/autopilot_disconnect",
    "sim/cockpit2/autopilot/autopilot_trim_fail",
    "sim/cockpit2/autopilot/heading_mode",
    "sim/cockpit2/autopilot/altitude_mode",
    "sim/cockpit2/autopilot/bank_angle_mode",
    "sim/cockpit2/autopilot/flight_director_mode",
    "sim/cockpit2/autopilot/flight_director2_mode",
    "sim/cockpit2/autopilot/flight_director3_mode",
    "sim/cockpit2/autopilot/autopilot_has_power",
    "sim/cockpit2/autopilot/autopilot_on",
    "sim/cockpit2/autopilot/autopilot2_on",
    "sim/cockpit2/autopilot/autopilot3_on",
    "sim/cockpit2/autopilot/autopilot_on_or_cws",
    "sim/cockpit2/autopilot/autopilot2_on_or_cws",
};

inline constexpr const char* kDoubleReads[] = {
    "sim/flightmodel/position/local_x",
    "sim/flightmodel/position/local_y",
    "sim/flightmodel/position/local_z",
    "sim/flightmodel/position/latitude",
    "sim/flightmodel/position/longitude",
    "sim/flightmodel/position/elevation",
    "sim/multiplayer/position/plane1_x",
    "sim/multiplayer/position/plane1_y",
    "sim/multiplayer/position/plane1_z",
    "sim/multiplayer/position/plane2_x",
    "sim/multiplayer/position/plane2_y",
    "sim/multiplayer/position/plane2_z",
    "sim/multiplayer/position/plane3_x",
    "sim/multiplayer/position/plane3_y",
    "sim/multiplayer/position/plane3_z",
    "sim/multiplayer/position/plane4_x",
    "sim/multiplayer/position/plane4_y",
    "sim/multiplayer/position/plane4_z",
    "sim/multiplayer/position/plane5_x",
    "sim/multiplayer/position/plane5_y",
};

inline constexpr const char* kFloatArrayReads[] = {
    "sim/cockpit2/engine/indicators/N1_percent",
    "sim/cockpit2/engine/indicators/N2_percent",
    "sim/cockpit2/engine/indicators/MPR_in_hg",
    "sim/cockpit2/engine/indicators/EPR_ratio",
    "sim/cockpit2/engine/indicators/torque_n_mtr",
};

inline constexpr const char* kIntArrayReads[] = {
    "sim/cockpit/electrical/battery_array_on",
    "sim/cockpit/electrical/generator_on",
    "sim/cockpit/engine/fuel_pump_on",
    "sim/cockpit/engine/fadec_on",
    "sim/cockpit/engine/ignition_on",
};

inline constexpr const char* kFloatWrites[] = {
    "sim/cockpit2/autopilot/airspeed_dial_kts_mach",
    "sim/cockpit2/autopilot/airspeed_dial_kts",
    "sim/cockpit2/autopilot/hover_height",
    "sim/cockpit2/autopilot/heading_dial_deg_mag_pilot",
    "sim/cockpit2/autopilot/heading_dial_deg_mag_copilot",
    "sim/cockpit2/autopilot/vvi_dial_fpm",
    "sim/cockpit2/autopilot/fpa",
    "sim/cockpit2/autopilot/altitude_dial_ft",
    "sim/cockpit2/autopilot/barometer_setting_in_hg_alt_preselector",
    "sim/cockpit2/autopilot/altitude_readout_preselector",
};

inline constexpr const char* kIntWrites[] = {
    "sim/cockpit2/radios/actuators/nav1_power",
    "sim/cockpit2/radios/actuators/nav2_power",
    "sim/cockpit2/radios/actuators/com1_power",
    "sim/cockpit2/radios/actuators/com2_power",
    "sim/cockpit2/radios/actuators/adf1_power",
};

inline constexpr const char* kDoubleWrites[] = {
    "sim/multiplayer/position/plane6_x",
    "sim/multiplayer/position/plane6_y",
    "sim/multiplayer/position/plane6_z",
    "sim/multiplayer/position/plane7_x",
    "sim/multiplayer/position/plane7_y",
};

}  // namespace qovinframe

#endif
