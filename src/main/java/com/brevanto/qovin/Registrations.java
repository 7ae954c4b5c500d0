package com.brevanto.qovin;

import java.util.ArrayList;
import java.util.IdentityHashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * What each Java plugin has registered or created in the simulator, and how
 * to release it. The API records each registration under the plugin whose
 * code made it (the nearest caller on the stack loaded by a plugin's class
 * loader) and forgets it when it is released; the host releases whatever a
 * plugin left behind when the plugin stops, is removed or fails. With no
 * plugin loaders (a plugin run directly, a test) nothing is recorded.
 */
public final class Registrations {
    private static final StackWalker WALKER = StackWalker.getInstance(StackWalker.Option.RETAIN_CLASS_REFERENCE);
    private static final Map<ClassLoader, Map<Object, Runnable>> BY_OWNER = new IdentityHashMap<>();

    private Registrations() {
    }

    /**
     * Makes {@code loader} a plugin's: what its classes register is recorded under it.
     *
     * @param loader a plugin's class loader
     */
    public static synchronized void addOwner(ClassLoader loader) {
        BY_OWNER.putIfAbsent(loader, new LinkedHashMap<>());
    }

    /**
     * Records {@code key} (unique to one registration) with the way to release
     * it, under the plugin whose code is calling.
     *
     * @param key the registration
     * @param release how to release it
     */
    public static synchronized void add(Object key, Runnable release) {
        ClassLoader owner = callingOwner();
        if (owner != null) {
            BY_OWNER.get(owner).put(key, release);
        }
    }

    /**
     * The class loader of the plugin whose code is calling, or null.
     *
     * @return the loader, or null outside any plugin
     */
    public static synchronized ClassLoader callingOwner() {
        if (BY_OWNER.isEmpty()) {
            return null;
        }
        return WALKER.walk(frames -> frames.map(f -> f.getDeclaringClass().getClassLoader())
                .filter(BY_OWNER::containsKey).findFirst().orElse(null));
    }

    /**
     * Records {@code key} under {@code owner} (from {@link #callingOwner()} at
     * an earlier call). False, and nothing recorded, if that plugin is gone.
     *
     * @param owner the plugin's class loader, or null
     * @param key the registration
     * @param release how to release it
     * @return whether it was recorded (true without an owner)
     */
    public static synchronized boolean addFor(ClassLoader owner, Object key, Runnable release) {
        Map<Object, Runnable> owned = owner == null ? null : BY_OWNER.get(owner);
        if (owned == null) {
            return owner == null;
        }
        owned.put(key, release);
        return true;
    }

    /**
     * Forgets {@code key}: it was released.
     *
     * @param key the registration
     */
    public static synchronized void remove(Object key) {
        for (Map<Object, Runnable> owned : BY_OWNER.values()) {
            if (owned.remove(key) != null) {
                return;
            }
        }
    }

    /**
     * How many registrations {@code loader}'s plugin holds now.
     *
     * @param loader a plugin's class loader
     * @return the number of registrations
     */
    public static synchronized int count(ClassLoader loader) {
        Map<Object, Runnable> owned = BY_OWNER.get(loader);
        return owned == null ? 0 : owned.size();
    }

    /**
     * Releases everything {@code loader}'s plugin still holds, newest first, and
     * stops recording under it. Returns how many there were; a release that
     * throws is counted and the others go on.
     *
     * @param loader a plugin's class loader
     * @return the number of registrations released
     */
    public static int releaseAll(ClassLoader loader) {
        List<Runnable> releases;
        synchronized (Registrations.class) {
            Map<Object, Runnable> owned = BY_OWNER.remove(loader);
            if (owned == null) {
                return 0;
            }
            releases = new ArrayList<>(owned.values());
        }
        for (int i = releases.size() - 1; i >= 0; i--) {
            try {
                releases.get(i).run();
            } catch (RuntimeException e) {
                // Already released another way: nothing is left of it.
            }
        }
        return releases.size();
    }
}
