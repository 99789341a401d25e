import java.time.LocalDateTime;

/** Date and time of the local clock. */
public class KWL_Time {
    private static final String[] MONTHS = {"January", "February", "March", "April", "May",
        "June", "July", "August", "September", "October", "November", "December"};
    private static final String[] DAYS = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
        "Friday", "Saturday"};

    private static LocalDateTime now() {
        return LocalDateTime.now();
    }

    public static int KW_year() {
        return now().getYear();
    }

    /** The month, 1 to 12. */
    public static int KW_month() {
        return now().getMonthValue();
    }

    public static String KW_monthName() {
        return MONTHS[now().getMonthValue() - 1];
    }

    /** The day of the week, 0 (Sunday) to 6 (Saturday). */
    public static int KW_day() {
        return now().getDayOfWeek().getValue() % 7;
    }

    public static String KW_dayName() {
        return DAYS[now().getDayOfWeek().getValue() % 7];
    }

    /** The day of the month, 1 to 31. */
    public static int KW_date() {
        return now().getDayOfMonth();
    }

    public static int KW_hour() {
        return now().getHour();
    }

    public static int KW_minute() {
        return now().getMinute();
    }

    public static int KW_second() {
        return now().getSecond();
    }

    /** Milliseconds since 1970-01-01 00:00 UTC. */
    public static long KW_time() {
        return System.currentTimeMillis();
    }
}
