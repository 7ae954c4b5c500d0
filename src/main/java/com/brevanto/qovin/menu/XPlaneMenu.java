package com.brevanto.qovin.menu;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.ArrayList;
import java.util.List;

/**
 * A menu of the simulator. {@link #plugins()} is the simulator's plugins menu;
 * {@link #submenu(String)} hangs a new menu on a new item of a menu. Items are
 * {@link MenuItem}s, picked by the user; each may carry a check mark.
 *
 * <p>The menu holds a reference to each item it shows until the item is
 * removed, the menu cleared or destroyed. Each line keeps the index the
 * simulator gave it: the plugins menu counts the lines of the whole host
 * plugin, which may have lines of its own in front of ours. A destroyed menu
 * refuses further use with {@link IllegalStateException}.
 */
public final class XPlaneMenu {
    static {
        initialize();
    }

    // Check marks.
    /** No check mark. */
    public static final int NO_CHECK = 0;
    /** A check mark, unchecked. */
    public static final int UNCHECKED = 1;
    /** A check mark, checked. */
    public static final int CHECKED = 2;

    private static XPlaneMenu plugins;
    private static XPlaneMenu aircraft;

    /** One line of the menu: an item, a separator or an item carrying a submenu. */
    private static final class Entry {
        final MenuItem item;  // null for separators and submenu carriers
        final long ref;        // the item's reference, 0 without an item
        int index;             // the simulator's index of the line
        XPlaneMenu submenu;

        Entry(MenuItem item, long ref, int index) {
            this.item = item;
            this.ref = ref;
            this.index = index;
        }
    }

    private final long menuPtr;
    private final XPlaneMenu parent;
    private final List<Entry> entries = new ArrayList<>();
    private boolean destroyed;

    private XPlaneMenu(long menuPtr, XPlaneMenu parent) {
        this.menuPtr = menuPtr;
        this.parent = parent;
    }

    private XPlaneMenu(String name, XPlaneMenu parent, int parentItem) {
        this.parent = parent;
        this.menuPtr = createMenuN(name, parent.menuPtr, parentItem);
    }

    /**
     * The simulator's plugins menu (this plugin's part of it).
     *
     * @return the plugins menu
     */
    public static synchronized XPlaneMenu plugins() {
        HostThread.check();
        if (plugins == null) {
            plugins = new XPlaneMenu(findPluginsMenuN(), null);
        }
        return plugins;
    }

    /**
     * The user aircraft's menu, or null: the simulator gives it only to plugins
     * loaded with the aircraft. It shows once it has items.
     *
     * @return the aircraft menu, or null
     */
    public static synchronized XPlaneMenu aircraft() {
        HostThread.check();
        if (aircraft == null) {
            long handle = findAircraftMenuN();
            if (handle != 0) {
                aircraft = new XPlaneMenu(handle, null);
            }
        }
        return aircraft;
    }

    /**
     * Adds an item whose pick runs the command {@code commandName} once (its
     * handlers, not {@link MenuItem#actionPerformed()}); the menu shows the
     * command's key binding. Answers the item, for {@link #setEnabled},
     * {@link #rename} and {@link #remove}, or null if there is no such command
     * or the simulator refused the item.
     *
     * @param name the item's name
     * @param commandName the command, e.g. "sim/operation/pause_toggle"
     * @return the item, or null
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized MenuItem addCommand(String name, String commandName) {
        HostThread.check();
        checkUsable();
        int index = appendMenuItemWithCommandN(menuPtr, name, commandName);
        if (index < 0) {
            return null;
        }
        MenuItem item = new MenuItem(name);
        Entry line = new Entry(item, 0, index);
        entries.add(line);
        track(line);
        return item;
    }

    /**
     * Enables or disables {@code item}: a disabled item shows greyed and its picks do nothing.
     * Items start enabled. An item not in this menu changes nothing.
     *
     * @param item the item
     * @param enabled whether it can be picked
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized void setEnabled(MenuItem item, boolean enabled) {
        HostThread.check();
        checkUsable();
        Entry entry = find(item);
        if (entry != null) {
            enableMenuItemN(menuPtr, entry.index, enabled);
        }
    }

    /**
     * Shows {@code item} under another name ({@link MenuItem#getName()} keeps
     * the name it was made with). An item not in this menu changes nothing.
     *
     * @param item the item
     * @param name the new name
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized void rename(MenuItem item, String name) {
        HostThread.check();
        checkUsable();
        Entry entry = find(item);
        if (entry != null) {
            setMenuItemNameN(menuPtr, entry.index, name);
        }
    }

    /**
     * The menu's handle, 0 if the simulator refused to make it.
     *
     * @return the handle
     */
    public long handle() {
        return menuPtr;
    }

    /**
     * Adds an item named {@code name} to this menu and hangs a new menu on it.
     * If the simulator refuses the item, the menu answered has handle 0.
     *
     * @param name the item's name
     * @return the new menu
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized XPlaneMenu submenu(String name) {
        HostThread.check();
        checkUsable();
        int index = appendMenuItemN(menuPtr, name, 0, false);
        if (index < 0) {
            return new XPlaneMenu(0, this);
        }
        Entry carrier = new Entry(null, 0, index);
        entries.add(carrier);
        carrier.submenu = new XPlaneMenu(name, this, index);
        track(carrier);
        return carrier.submenu;
    }

    /**
     * Adds {@code item} at the bottom; returns the simulator's index of its
     * line, or -1 (nothing added) if the simulator refused it.
     *
     * @param item the item
     * @return the line's index, or -1
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized int add(MenuItem item) {
        HostThread.check();
        checkUsable();
        String name = item.getName();  // before the reference: a throwing getName leaks none
        long ref = createMenuItemGlobalRef(item);
        if (ref == 0) {
            return -1;
        }
        int index = appendMenuItemN(menuPtr, name, ref, false);
        if (index < 0) {
            removeMenuItemN(menuPtr, ref, -1);  // deletes the reference never placed
            return -1;
        }
        Entry line = new Entry(item, ref, index);
        entries.add(line);
        track(line);
        return index;
    }

    /**
     * Adds a separator line at the bottom.
     *
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized void addSeparator() {
        HostThread.check();
        checkUsable();
        appendMenuSeparatorN(menuPtr);
        // The simulator answers no index for a separator: a throw-away item
        // appended right after it gets the next one, and is removed again.
        int next = appendMenuItemN(menuPtr, "", 0, false);
        if (next >= 0) {
            removeMenuItemN(menuPtr, 0, next);
        }
        if (next > 0) {
            Entry separator = new Entry(null, 0, next - 1);
            entries.add(separator);
            track(separator);
        }
    }

    /**
     * Removes the first placement of {@code item}; false if it is not in this menu.
     *
     * @param item the item
     * @return true if it was removed
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized boolean remove(MenuItem item) {
        HostThread.check();
        checkUsable();
        Entry entry = find(item);
        if (entry == null) {
            return false;
        }
        removeLine(entry);
        return true;
    }

    /**
     * Removes every item, separator and submenu of this menu. On the plugins
     * menu only this menu's own lines go; the host's stay.
     *
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized void clear() {
        HostThread.check();
        checkUsable();
        clearLines();
    }

    private void clearLines() {
        for (Entry entry : entries) {
            if (entry.submenu != null) {
                entry.submenu.destroyKeepingCarrier();
            }
        }
        if (parent == null) {
            // One by one from the highest index down, so no other line moves.
            List<Entry> lines = new ArrayList<>(entries);
            lines.sort((a, b) -> Integer.compare(b.index, a.index));
            for (Entry line : lines) {
                removeMenuItemN(menuPtr, line.ref, line.index);
                Registrations.remove(line);
            }
            entries.clear();
            return;
        }
        List<Long> refs = new ArrayList<>();
        for (Entry entry : entries) {
            Registrations.remove(entry);
            if (entry.ref != 0) {
                refs.add(entry.ref);
            }
        }
        long[] itemPtrs = new long[refs.size()];
        for (int i = 0; i < itemPtrs.length; i++) {
            itemPtrs[i] = refs.get(i);
        }
        entries.clear();
        clearAllMenuItemsN(menuPtr, itemPtrs);
    }

    /**
     * Sets the check mark of {@code item}: {@link #CHECKED}, {@link #UNCHECKED} or {@link #NO_CHECK}.
     *
     * @param item the item
     * @param checkState the check mark
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized void setCheck(MenuItem item, int checkState) {
        HostThread.check();
        checkUsable();
        Entry entry = find(item);
        if (entry != null) {
            setMenuItemCheckN(menuPtr, entry.index, checkState);
        }
    }

    /**
     * The check mark of {@code item}; {@link #NO_CHECK} if it is not in this menu.
     *
     * @param item the item
     * @return the check mark
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized int getCheck(MenuItem item) {
        HostThread.check();
        checkUsable();
        Entry entry = find(item);
        return entry == null ? NO_CHECK : getMenuItemCheckN(menuPtr, entry.index);
    }

    /**
     * Flips the check mark of {@code item} between checked and unchecked; returns whether it is now checked.
     *
     * @param item the item
     * @return true if it is checked now
     * @throws IllegalStateException if this menu was destroyed
     */
    public synchronized boolean toggleCheck(MenuItem item) {
        boolean checked = getCheck(item) != CHECKED;
        setCheck(item, checked ? CHECKED : UNCHECKED);
        return checked;
    }

    /**
     * Clears this menu, destroys it and removes the item that carried it.
     * Destroying it again does nothing; the plugins menu is never destroyed.
     */
    public synchronized void destroy() {
        HostThread.check();
        if (destroyed || parent == null) {
            return;
        }
        destroyKeepingCarrier();
        parent.removeCarrier(this);
    }

    private void destroyKeepingCarrier() {
        if (destroyed) {
            return;
        }
        clearLines();
        destroyN(menuPtr);
        destroyed = true;
    }

    private synchronized void removeCarrier(XPlaneMenu child) {
        for (Entry entry : entries) {
            if (entry.submenu == child) {
                removeLine(entry);
                return;
            }
        }
    }

    // The simulator moves every later line up by one index.
    // A line is recorded under the plugin that added it, to be taken away if
    // the plugin leaves it behind.
    private void track(Entry line) {
        Registrations.add(line, () -> release(line));
    }

    private synchronized void release(Entry line) {
        if (destroyed || !entries.contains(line)) {
            return;
        }
        if (line.submenu != null) {
            line.submenu.destroy();
        } else {
            removeLine(line);
        }
    }

    private void removeLine(Entry line) {
        removeMenuItemN(menuPtr, line.ref, line.index);
        entries.remove(line);
        Registrations.remove(line);
        for (Entry entry : entries) {
            if (entry.index > line.index) {
                entry.index--;
            }
        }
    }

    private Entry find(MenuItem item) {
        for (Entry entry : entries) {
            if (entry.item == item) {
                return entry;
            }
        }
        return null;
    }

    private void checkUsable() {
        if (destroyed) {
            throw new IllegalStateException("menu destroyed");
        }
    }

    private static native void initialize();

    private static native long findPluginsMenuN();

    private native long createMenuN(String jname, long parentPtr, int parentItem);

    private static native void destroyN(long menuPtr);

    private static native long createMenuItemGlobalRef(MenuItem jmenuitem);

    private static native int appendMenuItemN(long menuPtr, String jname, long menuItemPtr, boolean forceEnglish);

    private static native void appendMenuSeparatorN(long menuPtr);

    private static native void removeMenuItemN(long menuPtr, long menuItemPtr, int idx);

    private static native void clearAllMenuItemsN(long menuPtr, long[] jitemPtrs);

    private static native void setMenuItemCheckN(long menuPtr, int menuItemIdx, int checkState);

    private static native int getMenuItemCheckN(long menuPtr, int menuItemIdx);

    private static native long findAircraftMenuN();

    private static native int appendMenuItemWithCommandN(long menuPtr, String jname, String jcommand);

    private static native void enableMenuItemN(long menuPtr, int menuItemIdx, boolean enabled);

    private static native void setMenuItemNameN(long menuPtr, int menuItemIdx, String jname);
}
