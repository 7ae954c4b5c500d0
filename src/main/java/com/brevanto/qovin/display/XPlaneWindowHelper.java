package com.brevanto.qovin.display;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
/**
 * A simulator window drawn and controlled by this Java object. Subclass it,
 * override the callbacks you need, and open the window with one of the
 * {@code create} methods. The window keeps this object alive until
 * {@link #destroy()}.
 *
 * <p>Coordinates are global desktop boxels for windows made by
 * {@link #create}, pixels of the main simulator window for those made by
 * {@link #createLegacy}; rectangles are left, top, right, bottom with top
 * above bottom. A callback that throws has its exception printed; the int
 * callbacks then answer -1.
 */
public abstract class XPlaneWindowHelper {
    static {
        initialize();
    }

    // Layers, lowest first.
    /** Over the 3-D world, under the floating windows. */
    public static final int LAYER_FLIGHT_OVERLAY = 0;
    /** Floating windows, like the simulator's own. */
    public static final int LAYER_FLOATING_WINDOWS = 1;
    /** Modal windows, over the floating ones. */
    public static final int LAYER_MODAL = 2;
    /** Notifications, over everything. */
    public static final int LAYER_GROWL_NOTIFICATIONS = 3;

    // Positioning modes.
    /** Where its geometry puts it. */
    public static final int POSITION_FREE = 0;
    /** Centred on a monitor. */
    public static final int CENTER_ON_MONITOR = 1;
    /** Filling a monitor. */
    public static final int FULL_SCREEN_ON_MONITOR = 2;
    /** Filling every monitor. */
    public static final int FULL_SCREEN_ON_ALL_MONITORS = 3;
    /** In a window of the operating system of its own. */
    public static final int POP_OUT = 4;

    // Mouse status of a click callback.
    /** The button went down. */
    public static final int MOUSE_DOWN = 1;
    /** The mouse moved with the button down. */
    public static final int MOUSE_DRAG = 2;
    /** The button went up. */
    public static final int MOUSE_UP = 3;

    // Cursor status answered by cursorStatusCallback.
    /** The cursor the simulator would show. */
    public static final int CURSOR_DEFAULT = 0;
    /** No cursor. */
    public static final int CURSOR_HIDDEN = 1;
    /** An arrow. */
    public static final int CURSOR_ARROW = 2;
    /** A cursor the plugin set itself. */
    public static final int CURSOR_CUSTOM = 3;

    // Key flags.
    /** Shift is held. */
    public static final int SHIFT_FLAG = 1;
    /** Option or Alt is held. */
    public static final int OPTION_ALT_FLAG = 2;
    /** Control is held. */
    public static final int CONTROL_FLAG = 4;
    /** The key went down. */
    public static final int DOWN_FLAG = 8;
    /** The key went up. */
    public static final int UP_FLAG = 16;

    private long windowId;
    private boolean destroyed;  // a window of this object was destroyed
    private Object refCon;      // the plugin's own value (setRefCon)

    // --- callbacks ---------------------------------------------------------

    /** Draws the window; called each frame while it is visible. */
    public void drawWindowCallback() {
    }

    /**
     * A key while the window has keyboard focus, or the loss of focus
     * ({@code losingFocus} true). Key codes are the simulator's 8-bit codes as
     * signed bytes: {@code key & 0xFF} gives the code back.
     *
     * @param key the key code
     * @param flags the key flags ({@link #SHIFT_FLAG}, {@link #DOWN_FLAG}, ...)
     * @param virtualKey the virtual key code
     * @param losingFocus true when the window loses the keyboard focus
     */
    public void keyPressedCallback(byte key, int flags, byte virtualKey, boolean losingFocus) {
    }

    /**
     * A left click: down, drag or up. Answer 1 to consume it, 0 to pass it through.
     *
     * @param x where the mouse is, horizontally
     * @param y where the mouse is, vertically
     * @param mouseStatus {@link #MOUSE_DOWN}, {@link #MOUSE_DRAG} or {@link #MOUSE_UP}
     * @return 1 to consume the click, 0 to pass it through
     */
    public int mouseClickCallback(int x, int y, int mouseStatus) {
        return 1;
    }

    /**
     * A right click (windows made with a layer only). Answer as for left clicks.
     *
     * @param x where the mouse is, horizontally
     * @param y where the mouse is, vertically
     * @param mouseStatus {@link #MOUSE_DOWN}, {@link #MOUSE_DRAG} or {@link #MOUSE_UP}
     * @return 1 to consume the click, 0 to pass it through
     */
    public int rightMouseClickCallback(int x, int y, int mouseStatus) {
        return 1;
    }

    /**
     * The mouse is over the window: answer the cursor to show.
     *
     * @param x where the mouse is, horizontally
     * @param y where the mouse is, vertically
     * @return one of the {@code CURSOR_*} constants
     */
    public int cursorStatusCallback(int x, int y) {
        return CURSOR_DEFAULT;
    }

    /**
     * The wheel turned over the window ({@code wheel} 0 vertical, 1 horizontal). Answer 1 to consume.
     *
     * @param x where the mouse is, horizontally
     * @param y where the mouse is, vertically
     * @param wheel 0 for the vertical wheel, 1 for the horizontal one
     * @param clicks how far it turned, signed
     * @return 1 to consume the turn, 0 to pass it through
     */
    public int mouseWheelCallback(int x, int y, int wheel, int clicks) {
        return 0;
    }

    // --- creation --------------------------------------------------------------

    /**
     * Opens a legacy window (pixels, no frame), which receives draw, key and
     * left-click calls only. Returns its handle.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     * @param visible whether it shows at once
     * @return the window's handle
     * @throws IllegalStateException if this object already has a window open
     */
    public synchronized long createLegacy(int left, int top, int right, int bottom, boolean visible) {
        HostThread.check();
        checkClosed();
        windowId = createWindow(left, top, right, bottom, visible);
        track();
        return windowId;
    }

    /**
     * Opens a window in the flight-overlay layer, undecorated, which receives
     * every call but right clicks. Returns its handle.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     * @param visible whether it shows at once
     * @return the window's handle
     * @throws IllegalStateException if this object already has a window open
     */
    public synchronized long create(int left, int top, int right, int bottom, boolean visible) {
        HostThread.check();
        checkClosed();
        windowId = createWindowEx(left, top, right, bottom, visible);
        track();
        return windowId;
    }

    /**
     * Opens a window in {@code layer}, with the simulator's frame and title
     * bar if {@code decorate}, which receives every call. Returns its handle.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     * @param visible whether it shows at once
     * @param decorate whether it gets the simulator's frame and title bar
     * @param layer one of the {@code LAYER_*} constants
     * @return the window's handle
     * @throws IllegalStateException if this object already has a window open
     */
    public synchronized long create(int left, int top, int right, int bottom, boolean visible, boolean decorate,
            int layer) {
        HostThread.check();
        checkClosed();
        windowId = createWindowEx2(left, top, right, bottom, visible, decorate, layer);
        track();
        return windowId;
    }

    /**
     * Closes the window; no callback follows. Does nothing when none is open,
     * so a second call does nothing. The window's handle is never used again:
     * until a new window is opened, every method that needs the window throws
     * {@link IllegalStateException}.
     */
    public synchronized void destroy() {
        HostThread.check();
        if (windowId != 0) {
            destroy(windowId);
            windowId = 0;
            destroyed = true;
            Registrations.remove(this);
        }
    }

    private void track() {
        if (windowId != 0) {
            Registrations.add(this, this::destroy);
        }
    }

    /**
     * The window's handle, 0 when none is open.
     *
     * @return the handle, or 0
     */
    public synchronized long windowId() {
        return windowId;
    }

    private void checkClosed() {
        if (windowId != 0) {
            throw new IllegalStateException("this object already has a window open");
        }
    }

    private long open() {
        if (windowId == 0) {
            throw new IllegalStateException(destroyed ? "window destroyed" : "no window open");
        }
        return windowId;
    }

    // --- the open window ---------------------------------------------------

    /**
     * Left, top, right, bottom.
     *
     * @return a new array of four
     * @throws IllegalStateException if no window is open
     */
    public synchronized int[] geometry() {
        HostThread.check();
        int[] geometry = new int[4];
        getGeometry(open(), geometry);
        return geometry;
    }

    /**
     * Left, top, right, bottom, into an array of the caller's: the form for a
     * draw callback, as it allocates nothing.
     *
     * @param into an array of four or more, filled from index 0
     * @return {@code into}
     * @throws IllegalArgumentException if {@code into} is null or shorter than four
     * @throws IllegalStateException if no window is open
     */
    public synchronized int[] geometry(int[] into) {
        HostThread.check();
        if (into == null || into.length < 4) {
            throw new IllegalArgumentException("geometry needs an array of four or more");
        }
        getGeometry(open(), into);
        return into;
    }

    /**
     * Moves and sizes the window.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setGeometry(int left, int top, int right, int bottom) {
        HostThread.check();
        setGeometryN(open(), left, top, right, bottom);
    }

    /**
     * Left, top, right, bottom of a popped-out window, in the operating system's pixels.
     *
     * @return a new array of four
     * @throws IllegalStateException if no window is open
     */
    public synchronized int[] geometryOS() {
        HostThread.check();
        int[] geometry = new int[4];
        getGeometryOS_N(open(), geometry);
        return geometry;
    }

    /**
     * Moves and sizes a popped-out window, in the operating system's pixels.
     *
     * @param left the left edge
     * @param top the top edge
     * @param right the right edge
     * @param bottom the bottom edge
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setGeometryOS(int left, int top, int right, int bottom) {
        HostThread.check();
        setGeometryOS_N(open(), left, top, right, bottom);
    }

    /**
     * One of the positioning modes; a negative monitor is the simulator's main monitor.
     *
     * @param mode {@link #POSITION_FREE}, {@link #CENTER_ON_MONITOR}, ... or {@link #POP_OUT}
     * @param monitorIdx the monitor, or a negative number for the main one
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setPositioningMode(int mode, int monitorIdx) {
        HostThread.check();
        setPositioningModeN(open(), mode, monitorIdx);
    }

    /**
     * The title, shown on decorated windows.
     *
     * @param title the title; null gives an empty one
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setTitle(String title) {
        HostThread.check();
        setTitleN(open(), title);
    }

    /**
     * How small and how large the user may make the window.
     *
     * @param minWidthBoxels the least width
     * @param minHeightBoxels the least height
     * @param maxWidthBoxels the greatest width
     * @param maxHeightBoxels the greatest height
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setResizingLimits(int minWidthBoxels, int minHeightBoxels, int maxWidthBoxels,
            int maxHeightBoxels) {
        HostThread.check();
        setResizingLimitsN(open(), minWidthBoxels, minHeightBoxels, maxWidthBoxels, maxHeightBoxels);
    }

    /**
     * How each edge follows a resize of the simulator's window: 0 left/bottom, 1 right/top.
     *
     * @param leftGravity how the left edge follows
     * @param topGravity how the top edge follows
     * @param rightGravity how the right edge follows
     * @param bottomGravity how the bottom edge follows
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setGravity(float leftGravity, float topGravity, float rightGravity,
            float bottomGravity) {
        HostThread.check();
        setGravityN(open(), leftGravity, topGravity, rightGravity, bottomGravity);
    }

    /**
     * Whether the window is popped out into a window of the operating system.
     *
     * @return true if popped out
     * @throws IllegalStateException if no window is open
     */
    public synchronized boolean poppedOut() {
        HostThread.check();
        return isPoppedOut(open());
    }

    /**
     * Shows or hides the window.
     *
     * @param visible true to show it
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setVisible(boolean visible) {
        HostThread.check();
        setVisibleN(open(), visible);
    }

    /**
     * Whether the window shows.
     *
     * @return true if visible
     * @throws IllegalStateException if no window is open
     */
    public synchronized boolean isVisible() {
        HostThread.check();
        return isVisibleN(open());
    }

    /**
     * Takes the keyboard focus: every key goes to this window from now on.
     *
     * @throws IllegalStateException if no window is open
     */
    public synchronized void takeFocus() {
        HostThread.check();
        takeFocusN(open());
    }

    /**
     * Brings the window to the front of its layer.
     *
     * @throws IllegalStateException if no window is open
     */
    public synchronized void bringToFront() {
        HostThread.check();
        bringToFrontN(open());
    }

    /**
     * Whether the window is the front-most visible one of its layer.
     *
     * @return true if in front
     * @throws IllegalStateException if no window is open
     */
    public synchronized boolean isInFront() {
        HostThread.check();
        return isInFrontN(open());
    }

    /**
     * Keeps {@code value} as the window's reference value, for the plugin's own
     * use ({@link #getRefCon()}). The simulator's reference value of the window
     * stays this object, so every callback still reaches it: the call sets the
     * simulator's value to this object again.
     *
     * @param value any value, or null
     * @throws IllegalStateException if no window is open
     */
    public synchronized void setRefCon(Object value) {
        HostThread.check();
        setRefConN(open());
        refCon = value;
    }

    /**
     * The value {@link #setRefCon(Object)} kept, null until then.
     *
     * @return the value
     */
    public synchronized Object getRefCon() {
        return refCon;
    }

    // --- natives ---------------------------------------------------------------

    private static native void setRefConN(long windowId);

    private static native void initialize();

    private native long createWindow(int left, int top, int right, int bottom, boolean visible);

    private native long createWindowEx(int left, int top, int right, int bottom, boolean visible);

    private native long createWindowEx2(int left, int top, int right, int bottom, boolean visible,
            boolean decorate, int layer);

    private static native void destroy(long windowId);

    private static native void getGeometry(long windowId, int[] jgeom);

    private static native void setGeometryN(long windowId, int left, int top, int right, int bottom);

    private static native void getGeometryOS_N(long windowId, int[] jgeom);

    private static native void setGeometryOS_N(long windowId, int left, int top, int right, int bottom);

    private static native void setPositioningModeN(long windowId, int mode, int monitorIdx);

    private static native void setTitleN(long windowId, String jtitle);

    private static native void setResizingLimitsN(long windowId, int minWidthBoxels, int minHeightBoxels,
            int maxWidthBoxels, int maxHeightBoxels);

    private static native void setGravityN(long windowId, float leftGravity, float topGravity, float rightGravity,
            float bottomGravity);

    private static native boolean isPoppedOut(long windowId);

    private static native void setVisibleN(long windowId, boolean visible);

    private static native boolean isVisibleN(long windowId);

    private static native void takeFocusN(long windowId);

    private static native void bringToFrontN(long windowId);

    private static native boolean isInFrontN(long windowId);
}
