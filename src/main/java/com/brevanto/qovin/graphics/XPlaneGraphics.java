package com.brevanto.qovin.graphics;

import com.brevanto.qovin.HostThread;
/**
 * The simulator's drawing utilities, for draw and window callbacks: text and
 * dark boxes, textures, the graphics state, and conversion between world
 * coordinates (latitude, longitude, metres above sea level) and the local
 * coordinates scenery is drawn in (metres; x east, y up, z south).
 */
public final class XPlaneGraphics {
    // Fonts.
    /** The simulator's fixed-width font. */
    public static final int FONT_BASIC = 0;
    /** The simulator's proportional font. */
    public static final int FONT_PROPORTIONAL = 18;

    // The simulator's own textures, for getTextureN.
    /** The texture of the user interface. */
    public static final int TEX_GENERAL_INTERFACE = 0;
    /** The user aircraft's paint. */
    public static final int TEX_AIRCRAFT_PAINT = 1;
    /** The user aircraft's light map. */
    public static final int TEX_AIRCRAFT_LITE_MAP = 2;

    /** The characters of the last {@link CharSequence} drawn, grown only when a longer one comes. */
    private static char[] textBuffer = new char[256];

    private XPlaneGraphics() {
    }

    /**
     * Draws the translucent dark box the simulator puts behind text.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     */
    public static native void drawTranslucentDarkBox(int left, int top, int right, int bottom);

    /**
     * Draws {@code text} with its lower left corner at the offsets, in the
     * colour given by the first three elements of {@code color} (red, green,
     * blue from 0 to 1; missing elements count as 0; the array is not
     * changed), word-wrapped at {@code wrapWidth}.
     *
     * @param color red, green, blue
     * @param xOffset the left edge of the text
     * @param yOffset the baseline of its first line
     * @param text the text; null draws nothing
     * @param wrapWidth the width at which lines wrap
     * @param fontId {@link #FONT_BASIC} or {@link #FONT_PROPORTIONAL}
     */
    public static native void drawString(float[] color, int xOffset, int yOffset, String text, int wrapWidth,
            int fontId);

    /**
     * Draws {@code text[0..length)} like {@link #drawString(float[], int, int, String, int, int)}, without
     * making a String: nothing is allocated, so a {@code char[]} filled anew each frame draws without garbage.
     * A {@code length} below 0 or past the array draws the whole array. A {@code wrapWidth} of 0 or less
     * does not wrap.
     *
     * @param color red, green, blue
     * @param xOffset the left edge of the text
     * @param yOffset the baseline of its first line
     * @param text the characters; null draws nothing
     * @param length how many characters, from index 0, to draw
     * @param wrapWidth the width at which lines wrap; 0 or less for no wrapping
     * @param fontId {@link #FONT_BASIC} or {@link #FONT_PROPORTIONAL}
     */
    public static void drawChars(float[] color, int xOffset, int yOffset, char[] text, int length,
            int wrapWidth, int fontId) {
        HostThread.check();
        drawCharsN(color, xOffset, yOffset, text, length, wrapWidth, fontId);
    }

    // drawChars once the thread is checked. Compiled callers reach its critical twin when the JVM runs
    // with -XX:+CriticalJNINatives (qovin.xpl's default): the arrays are read in place, no JNI call.
    private static native void drawCharsN(float[] color, int xOffset, int yOffset, char[] text, int length,
            int wrapWidth, int fontId);

    /**
     * Draws {@code text} (a {@link StringBuilder} refilled each frame, say) without allocating: its
     * characters are copied into a buffer kept for the next call, which grows only when a longer text
     * comes, and drawn with {@link #drawChars}. A {@code wrapWidth} of 0 or less does not wrap. A
     * {@code String} argument picks {@link #drawString(float[], int, int, String, int, int)}, which
     * always wraps; cast it to {@code CharSequence} for this form.
     *
     * @param color red, green, blue
     * @param xOffset the left edge of the text
     * @param yOffset the baseline of its first line
     * @param text the text; null draws nothing
     * @param wrapWidth the width at which lines wrap; 0 or less for no wrapping
     * @param fontId {@link #FONT_BASIC} or {@link #FONT_PROPORTIONAL}
     */
    public static void drawString(float[] color, int xOffset, int yOffset, CharSequence text, int wrapWidth,
            int fontId) {
        HostThread.check();
        if (text == null) {
            return;
        }
        drawChars(color, xOffset, yOffset, charsOf(text), text.length(), wrapWidth, fontId);
    }

    // The characters of `text` in the kept buffer, grown only when a longer text comes.
    private static char[] charsOf(CharSequence text) {
        int length = text.length();
        char[] chars = textBuffer;
        if (chars.length < length) {
            chars = new char[Math.max(length, 2 * chars.length)];
            textBuffer = chars;
        }
        if (text instanceof String) {
            ((String) text).getChars(0, length, chars, 0);
        } else if (text instanceof StringBuilder) {
            ((StringBuilder) text).getChars(0, length, chars, 0);
        } else {
            for (int i = 0; i < length; i++) {
                chars[i] = text.charAt(i);
            }
        }
        return chars;
    }

    /**
     * Draws {@code value} as the simulator's readouts show numbers: {@code digits} digits before the
     * point (zero-padded), {@code decimals} after it, and a sign if {@code showSign} (a minus always).
     *
     * @param color red, green, blue; missing components are 0
     * @param xOffset the left edge
     * @param yOffset the baseline
     * @param value the number
     * @param digits digits before the point
     * @param decimals digits after the point
     * @param showSign whether a plus sign shows too
     * @param fontId {@link #FONT_BASIC} or {@link #FONT_PROPORTIONAL}
     */
    public static native void drawNumber(float[] color, int xOffset, int yOffset, double value, int digits,
            int decimals, boolean showSign, int fontId);

    /**
     * The width and height of a character of the font, in pixels, and 1 if it has digits only (else
     * 0). A proportional font gives its mean width.
     *
     * @param fontId a font
     * @return a new array: width, height, digits only
     */
    public static int[] fontDimensions(int fontId) {
        HostThread.check();
        int[] dimensions = new int[3];
        getFontDimensionsN(fontId, dimensions);
        return dimensions;
    }

    /**
     * Writes width, height and digits-only into elements 0 to 2 of {@code out} (only those it has).
     *
     * @param fontId a font
     * @param out the array written
     */
    public static native void getFontDimensionsN(int fontId, int[] out);

    /**
     * The width in pixels that {@code text} takes in the font, measured without allocating (its
     * characters go through the buffer {@link #drawString(float[], int, int, CharSequence, int, int)}
     * keeps). Null measures 0.
     *
     * @param fontId a font
     * @param text the text
     * @return its width in pixels
     */
    public static float measureString(int fontId, CharSequence text) {
        HostThread.check();
        if (text == null) {
            return 0;
        }
        return measureChars(fontId, charsOf(text), text.length());
    }

    /**
     * The width in pixels of {@code text[0..length)} in the font. A {@code length} below 0 or past the
     * array measures the whole array; a null array measures 0.
     *
     * @param fontId a font
     * @param text the characters
     * @param length how many to measure
     * @return their width in pixels
     */
    public static native float measureChars(int fontId, char[] text, int length);

    /**
     * Fills every element of {@code texIds} with a new texture number.
     *
     * @param texIds the array filled
     */
    public static native void generateTextureNumbers(int[] texIds);

    /**
     * Binds texture {@code tex} to texture unit {@code unit}.
     *
     * @param tex the texture number
     * @param unit the texture unit
     */
    public static native void bindTexture2d(int tex, int unit);

    /**
     * Sets the graphics state through the simulator's state cache.
     *
     * @param enableFog fog on
     * @param inNumberTexUnits the number of texture units enabled
     * @param inEnableLighting lighting on
     * @param inEnableAlphaTesting alpha testing on
     * @param inEnableAlphaBlending alpha blending on
     * @param inEnableDepthTesting depth testing on
     * @param inEnableDepthWriting depth writing on
     */
    public static native void setGraphicsState(boolean enableFog, int inNumberTexUnits, boolean inEnableLighting,
            boolean inEnableAlphaTesting, boolean inEnableAlphaBlending, boolean inEnableDepthTesting,
            boolean inEnableDepthWriting);

    /**
     * Converts a world position to local coordinates, written into
     * {@code xyz[0..2]} (as many of them as the array has).
     *
     * @param lat latitude in degrees
     * @param lon longitude in degrees
     * @param alt metres above sea level
     * @param xyz the array written: x, y, z
     */
    public static native void worldToLocal(double lat, double lon, double alt, double[] xyz);

    /**
     * Converts local coordinates to latitude, longitude and altitude, written
     * into {@code world[0..2]} (as many of them as the array has).
     *
     * @param x local x
     * @param y local y
     * @param z local z
     * @param world the array written: latitude, longitude, altitude
     */
    public static native void localToWorld(double x, double y, double z, double[] world);

    /**
     * The texture number of one of the simulator's own textures.
     *
     * @param id {@link #TEX_GENERAL_INTERFACE}, {@link #TEX_AIRCRAFT_PAINT} or {@link #TEX_AIRCRAFT_LITE_MAP}
     * @return the texture number
     */
    public static native int getTextureN(int id);

    /**
     * Local coordinates of a world position, as a new array of three.
     *
     * @param lat latitude in degrees
     * @param lon longitude in degrees
     * @param alt metres above sea level
     * @return x, y, z in metres
     */
    public static double[] worldToLocal(double lat, double lon, double alt) {
        HostThread.check();
        double[] xyz = new double[3];
        worldToLocal(lat, lon, alt, xyz);
        return xyz;
    }

    /**
     * World position of local coordinates, as a new array of three.
     *
     * @param x local x
     * @param y local y
     * @param z local z
     * @return latitude, longitude (degrees) and altitude (metres above sea level)
     */
    public static double[] localToWorld(double x, double y, double z) {
        HostThread.check();
        double[] world = new double[3];
        localToWorld(x, y, z, world);
        return world;
    }
}
